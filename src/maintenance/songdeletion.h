#pragma once

#include <QString>
#include <QStringList>

#include <functional>

struct AppState;

// Deleting the songs the cleanup window kept ticked. Each entry of FileInutili is a bare name
// inside Musiche, or "/" for a file to keep. A file is deleted only when, at that moment, it is
// still a plain file directly inside Musiche (not a folder, not a symbolic link) and no slot of
// PercorsiSalvati uses it. Files go one at a time in list order; one deleted stays deleted
// whatever happens to the later ones.
namespace SongDeletion {

struct Result {
    int deleted = 0;
    // Names that were meant to go but are still there: not a plain file any more, or the
    // system refused. A file already gone, or used again, is in neither count.
    QStringList failed;
};

// progress(n) runs after each deletion with the number deleted so far.
[[nodiscard]] Result deleteUnused(const AppState &state, const QStringList &FileInutili,
                                  const std::function<void(int)> &progress = {});

// "Impossibile eliminare: a.mp3, b.mp3", naming at most ten files and counting the rest.
QString failureText(const QStringList &failed);

} // namespace SongDeletion
