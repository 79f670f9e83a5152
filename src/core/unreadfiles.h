#pragma once

#include <QString>
#include <QStringList>

// Data files that exist but could not be read at start (no permission, far too large). The
// program goes on with defaults, names each file to the presenter once, and never writes over
// or deletes such a file in the same run, so nothing the presenter can still rescue is lost.
class UnreadFiles {
public:
    // Records path with the system's reason; a path noted before is kept once.
    void note(const QString &path, const QString &reason);
    bool contains(const QString &path) const;
    // "Il file ... non può essere letto: ..." for each file noted since the last call.
    QStringList takeMessages();
    // Why a write to path is refused, for the caller's failure message.
    static QString refusal(const QString &path);

private:
    QStringList m_paths;
    QStringList m_pending;
};
