#pragma once

#include "core/textfile.h"
#include "platform/audioprobe.h"

#include <QHash>
#include <QMutex>
#include <QString>
#include <QStringList>

#include <optional>

// One song as it was analysed: the file's size and modification time then, and the figures.
struct SongAnalysis {
    QString path;          // absolute
    AudioRange range = {}; // the part the levels were measured on
    qint64 size = -1;
    qint64 modified = 0; // milliseconds since the epoch
    AudioAnalysis audio;
};

// The analyses kept in Analisi.ini in the program folder, so that a song is decoded once for
// as long as its file is unchanged. Only complete analyses are kept: Decoded and Failed.
// Safe to use from several threads; the file is read and written by the caller's thread.
class AnalysisCache {
public:
    explicit AnalysisCache(QString filePath) : m_filePath(std::move(filePath)) {}

    // Replaces what is held by the file's entries; a missing file holds none, a line that
    // cannot be read is skipped.
    void load();
    // Writes the file atomically when something changed since the last load or save.
    [[nodiscard]] TextFile::WriteResult save();

    // The stored analysis of path, when its size and modification time still match.
    std::optional<SongAnalysis> find(const QString &path, qint64 size, qint64 modified,
                                     AudioRange range = {}) const;
    void store(const SongAnalysis &analysis);
    int count() const;

    // The file's lines, one per song, and back.
    static QStringList writtenForm(const QList<SongAnalysis> &entries);
    static QList<SongAnalysis> parse(const QStringList &lines);

private:
    const QString m_filePath;
    mutable QMutex m_mutex;
    QHash<QString, SongAnalysis> m_entries;
    bool m_dirty = false;
};
