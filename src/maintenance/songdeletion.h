#pragma once

#include "maintenance/unusedsongs.h"

#include <QString>
#include <QStringList>

#include <functional>

struct AppState;

// Deleting the songs the cleanup window kept ticked, each a bare name inside Musiche. A file is
// deleted by the bytes the file system knows it by, and only when, at that moment, it is still a
// plain file directly inside Musiche (not a folder, not a symbolic link) and the cleanup's used
// text does not hold its name (UnusedSongs::cleanupUsedText). Files go one at a time in list
// order; one deleted stays deleted whatever happens to the later ones.
namespace SongDeletion {

struct Result {
    int deleted = 0;
    // Shown names of the files that were meant to go but are still there: not a plain file any
    // more, or the system refused. A file already gone, or used now, is in neither count.
    QStringList failed;
};

// progress(n) runs after each deletion with the number deleted so far.
[[nodiscard]] Result deleteUnused(const AppState &state, const QList<UnusedSongs::SongFile> &files,
                                  const std::function<void(int)> &progress = {});

// "Impossibile eliminare: a.mp3, b.mp3", naming at most ten files and counting the rest.
QString failureText(const QStringList &failed);

} // namespace SongDeletion
