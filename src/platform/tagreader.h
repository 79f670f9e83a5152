#pragma once

#include <QObject>
#include <QString>
#include <QThreadPool>

// The song's title and artist from its file's tags.
struct SongTags {
    QString title;
    QString artist;
};

namespace Tags {
// Reads the tags of the file at path with GStreamer's discoverer; blocks for as long as the
// file takes (at most a few seconds), so never on the window thread. Empty for a file without
// tags, a missing or unreadable one.
SongTags read(const QString &path);
// What the room is shown: "Titolo - Artista", the title alone without an artist, the file
// name without its extension without a title.
QString shownTitle(const SongTags &tags, const QString &path);
} // namespace Tags

// Reads titles off the window thread. Rules: read() returns at once; titleRead() comes later
// on the thread that owns the reader, with the ticket the caller gave, one for each read().
// The destructor waits for a read under way, so no answer outlives the reader.
class TagReader : public QObject {
    Q_OBJECT

public:
    explicit TagReader(QObject *parent = nullptr);
    ~TagReader() override;

    void read(int ticket, const QString &path);

signals:
    void titleRead(int ticket, const QString &text);

private:
    QThreadPool m_pool;
};
