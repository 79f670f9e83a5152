#include "core/filetree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace FileTree {

bool exists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

bool removeTree(const QString &path)
{
    const QFileInfo info(path);
    if (!exists(path))
        return true;
    if (info.isSymLink())
        return QFile::remove(path);
    if (!info.isDir()) {
        // Read-only files go too, as in a checked-out working copy.
        QFile::setPermissions(path, info.permissions() | QFile::WriteOwner);
        return QFile::remove(path);
    }
    QDir dir(path);
    const QStringList entries =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    bool ok = true;
    for (const QString &entry : entries)
        ok = removeTree(path + u'/' + entry) && ok;
    return QDir().rmdir(path) && ok;
}

bool moveEntry(const QString &from, const QString &to)
{
    if (exists(to))
        return false;
    // rename() moves a link as a link and never copies what it points at.
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

bool replaceDurably(const QString &from, const QString &to, qint64 expectedSize)
{
    const QByteArray source = QFile::encodeName(from);
    const int fd = ::open(source.constData(), O_RDONLY);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    // A copy cut short by a full disk can look like a success: the size tells.
    if (!synced || QFileInfo(from).size() != expectedSize)
        return false;
    if (std::rename(source.constData(), QFile::encodeName(to).constData()) != 0)
        return false;
    const int folder =
        ::open(QFile::encodeName(QFileInfo(to).absolutePath()).constData(), O_RDONLY | O_DIRECTORY);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

} // namespace FileTree
