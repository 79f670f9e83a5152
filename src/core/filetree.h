#pragma once

#include <QString>

// Folder operations that never follow a symbolic link: a link is removed or moved as a link,
// so nothing it points at is touched.
namespace FileTree {

// Removes path and, when it is a real folder, everything in it. True when nothing is left.
bool removeTree(const QString &path);
// Renames an entry (file, folder or link) to a path that does not exist yet.
bool moveEntry(const QString &from, const QString &to);
// Puts a freshly written file in place of to in one step, once its expectedSize bytes are on
// the disk: the old file stays whole until then. False, with nothing replaced, otherwise.
[[nodiscard]] bool replaceDurably(const QString &from, const QString &to, qint64 expectedSize);
// True when something (even a dangling link) is at path.
bool exists(const QString &path);

} // namespace FileTree
