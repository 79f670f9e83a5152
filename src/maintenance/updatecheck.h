#pragma once

#include "maintenance/versionrules.h"

#include <QObject>
#include <QStringList>

class StartupWindows;
class UrlFetch;

// Asks the update server for the newest version and compares it with the program's own. The
// copy window reads "Collegamento al server" while the answer is awaited; the event loop runs
// on meanwhile, so the board repaints and a silent server freezes nothing. finished() follows
// every start() exactly once; a start() while a check is under way is ignored.
class UpdateCheck : public QObject {
    Q_OBJECT
public:
    UpdateCheck(UrlFetch &fetch, StartupWindows &windows, QString host, QObject *parent = nullptr);

    // ControllaAggiornamenti, answered through finished().
    void ControllaAggiornamenti();
    bool running() const { return m_running; }
    // The parts of the last version read from the server.
    const QStringList &VersioneServer() const { return m_serverParts; }
    QString address() const { return m_host + QStringLiteral("/version.txt"); }

signals:
    void finished(UpdateResult result);

private:
    UrlFetch &m_fetch;
    StartupWindows &m_windows;
    QString m_host;
    QStringList m_serverParts;
    bool m_running = false;
};
