#include "core/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace TextFile {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString decodeCp1252(const QByteArray &bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out.append(b >= 0x80 && b < 0xA0 ? QChar(Cp1252High[b - 0x80])
                                         : QChar(static_cast<char16_t>(b)));
    }
    return out;
}

// A read cut short at the size limit may end inside a UTF-8 sequence; that partial character
// goes, or a long UTF-8 file would be taken for Windows-1252.
void dropPartialUtf8Tail(QByteArray &bytes)
{
    const qsizetype n = bytes.size();
    for (qsizetype back = 1; back <= qMin<qsizetype>(4, n); ++back) {
        const auto b = static_cast<unsigned char>(bytes.at(n - back));
        if ((b & 0xC0) == 0x80)
            continue;
        const qsizetype length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
        if (length > back)
            bytes.chop(back);
        return;
    }
}

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// After a rename the folder entry itself must reach the disk, or a power cut can bring back
// the old entry, or none. Best effort: the new file is in place whatever this says.
void syncFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

bool linksOutOfFolder(const QFileInfo &info)
{
    if (!info.isSymLink())
        return false;
    const QString folder = QDir(info.absolutePath()).canonicalPath();
    const QFileInfo target(info.symLinkTarget());
    const QString targetFolder = QDir(target.absolutePath()).canonicalPath();
    return targetFolder.isEmpty() || targetFolder != folder;
}

namespace {

// Writes bytes to path's target through a temporary file: unbuffered, so a full disk shows at
// the write itself, and synced before the rename, so the data is on the disk before it
// replaces the old file.
WriteResult saveBytes(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return {false, file.errorString()};
    if (file.write(bytes) != bytes.size()) {
        const QString error = file.errorString();
        file.cancelWriting();
        return {false, error};
    }
    if (::fsync(file.handle()) != 0) {
        const QString error = systemError();
        file.cancelWriting();
        return {false, error};
    }
    if (!file.commit())
        return {false, file.errorString()};
    syncFolder(QFileInfo(path).absolutePath());
    return {true, {}};
}

// A regular file that already holds exactly these bytes is left as it is: rewriting it would
// only cost two waits for the disk. The start saves the paths file every time, mostly unchanged.
bool holdsAlready(const QFileInfo &info, const QByteArray &bytes)
{
    if (!info.isFile() || info.isSymLink() || info.size() != bytes.size())
        return false;
    QFile file(info.filePath());
    return file.open(QIODevice::ReadOnly) && file.readAll() == bytes;
}

QString decodeBounded(QIODevice &device)
{
    QByteArray bytes = device.read(MaxFileBytes);
    if (!device.atEnd())
        dropPartialUtf8Tail(bytes);
    return decode(bytes);
}

} // namespace

bool isReadableFile(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isReadable();
}

QString decode(const QByteArray &bytes)
{
    QByteArray body = bytes;
    if (body.startsWith("\xEF\xBB\xBF"))
        body.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(body);
    if (!utf8.hasError())
        return text;
    return decodeCp1252(body);
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, qMin<qsizetype>(i - start, MaxLineChars)));
        if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start, qMin<qsizetype>(n - start, MaxLineChars)));
    return lines;
}

QStringList readLines(QIODevice &device)
{
    return splitLines(decodeBounded(device));
}

FileProbe probe(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return {};
    if (info.size() > MaxDataFileBytes)
        return {FileState::TooLarge,
                QStringLiteral("il file è troppo grande (%1 byte, al massimo %2)")
                    .arg(info.size())
                    .arg(MaxDataFileBytes)};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {FileState::Unreadable, file.errorString()};
    return {FileState::Readable, {}};
}

QString readText(const QString &path)
{
    if (probe(path).state != FileState::Readable)
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return decodeBounded(file);
}

QStringList readLines(const QString &path)
{
    return splitLines(readText(path));
}

WriteResult writeText(const QString &path, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    const QFileInfo info(path);
    if (holdsAlready(info, bytes))
        return {true, {}};
    if (!linksOutOfFolder(info))
        return saveBytes(path, bytes);

    // The link is replaced by a regular file, its target left as it was: the new file is
    // written beside the link, then renamed over the link itself.
    const QString fresh = path + QStringLiteral(".nuovo");
    if (QFileInfo(fresh).exists() || QFileInfo(fresh).isSymLink())
        QFile::remove(fresh);
    WriteResult result = saveBytes(fresh, bytes);
    if (!result.ok) {
        QFile::remove(fresh);
        return result;
    }
    if (std::rename(QFile::encodeName(fresh).constData(), QFile::encodeName(path).constData()) !=
        0) {
        const QString error = systemError();
        QFile::remove(fresh);
        return {false, error};
    }
    syncFolder(info.absolutePath());
    result.replacedLink = true;
    return result;
}

QString joinLines(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines)
        text += line + u"\r\n";
    return text;
}

WriteResult writeLines(const QString &path, const QStringList &lines)
{
    return writeText(path, joinLines(lines));
}

bool removeIfExists(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return true;
    if (info.isDir() && !info.isSymLink())
        return false;
    return QFile::remove(path);
}

} // namespace TextFile
