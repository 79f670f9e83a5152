#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QFileInfo;
class QIODevice;

// Every data file of the program goes through here. Reading is forgiving (CRLF, LF or lone CR;
// UTF-8 with or without BOM; anything that is not valid UTF-8 is taken as Windows-1252) and
// bounded, so a hostile file cannot exhaust memory. Writing replaces the whole file atomically
// in UTF-8: a failed write leaves the old file as it was and says why.
namespace TextFile {

// Upper bounds on what a reader takes in; the rest of an oversized file or line is ignored.
inline constexpr qint64 MaxFileBytes = 16 * 1024 * 1024;
inline constexpr int MaxLineChars = 64 * 1024;

// A data file is far smaller than this; a larger one is not read at all, so an absurd file
// cannot hold the start back.
inline constexpr qint64 MaxDataFileBytes = 1024 * 1024;

// True when path names a regular file that can be read. A folder or an unreadable file counts
// as missing.
bool isReadableFile(const QString &path);

// What a data file's path holds. A folder, a device or a FIFO counts as missing; a regular file
// that cannot be opened, or is larger than MaxDataFileBytes, is there but cannot be read.
enum class FileState { Missing, Readable, Unreadable, TooLarge };
struct FileProbe {
    FileState state = FileState::Missing;
    QString reason; // the system's words, for Unreadable and TooLarge
};
FileProbe probe(const QString &path);

QString decode(const QByteArray &bytes);
QStringList splitLines(const QString &text);

// Reads up to MaxFileBytes from the device and splits it into lines.
QStringList readLines(QIODevice &device);
// A missing, unreadable or oversized file (see probe) gives no lines.
QStringList readLines(const QString &path);
QString readText(const QString &path);

struct [[nodiscard]] WriteResult {
    bool ok = false;
    QString error;
    // The file was a symbolic link leading out of its folder; it is now a regular file and the
    // link's target is untouched. Worth telling the presenter once.
    bool replacedLink = false;
};

// Writes text (already holding its line ends) as UTF-8, atomically and durably: the old file
// stays whole until the new one is on the disk. A link to a file in the same folder is
// written through; a link leading elsewhere is replaced by a regular file. A regular file that
// already holds the same bytes is not touched.
WriteResult writeText(const QString &path, const QString &text);
// Each line followed by CRLF, as the program's files hold them.
QString joinLines(const QStringList &lines);
// Writes each line followed by CRLF.
WriteResult writeLines(const QString &path, const QStringList &lines);

// True for a symbolic link whose target lies outside the link's own folder (the program
// folder): writeText replaces such a link rather than writing through it.
bool linksOutOfFolder(const QFileInfo &info);

// Deletes a file if it exists; false only when it exists and could not be removed.
[[nodiscard]] bool removeIfExists(const QString &path);

} // namespace TextFile
