#pragma once

#include "core/pathsfile.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

struct AppState;

// The song files of Musiche that no slot uses. A file counts as used when its name, in lower
// case, occurs anywhere in the used text: the file names of the table joined without a
// separator, in lower case. So a name that is part of an assigned name, or straddles two of
// them, is kept: the scan errs on the side of keeping a presenter's song.
namespace UnusedSongs {

enum class Table {
    Saved,   // PercorsiSalvati, every slot: what the board plays
    Working, // PercorsiModifica, only slots whose folder is Musiche: the editor's menu
};

// A file of Musiche: its name as the presenter reads it, and the bytes the file system knows
// it by. They differ only for a name that is not valid UTF-8, shown as Windows-1252.
struct SongFile {
    QString name;
    QByteArray encoded;
    bool operator==(const SongFile &) const = default;
};

// The lower-cased used text of a table; songsFolder is Musiche with its trailing separator.
QString usedText(const PathsTable &table, Table choice, const QString &songsFolder);

// The lower-cased used text of the cleanup, which deletes: every name of both tables, whatever
// the folder, and every value of both paths files, Percorsi.ini and PercorsiZMP.ini, whichever
// is in use. So the songs of the other paths file and the songs picked but not yet applied are
// never taken for unused. None when a paths file is there but cannot be read: then nothing is
// known to be unused.
std::optional<QString> cleanupUsedText(const AppState &state);

// Whether name counts as used by the used text.
bool isUsed(const QString &name, const QString &usedText);

// The plain files directly inside Musiche (no folders, no symbolic links, no hidden files) that
// the chosen table does not use, ordered by name without regard to letter case; a missing
// Musiche gives an empty list.
QStringList CercaFileInutili(const AppState &state, Table table);

// The files the cleanup lists (`FileInutili` starts from them), in the same order.
QList<SongFile> cleanupFiles(const AppState &state);

} // namespace UnusedSongs
