#include "core/filetree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

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

} // namespace FileTree
