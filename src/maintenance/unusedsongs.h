#pragma once

#include "core/pathsfile.h"

#include <QString>
#include <QStringList>

struct AppState;

// The song files of Musiche that no slot uses. A file counts as used when its name, in lower
// case, occurs anywhere in the used text: the file names of the table joined without a
// separator, in lower case. So a name that is part of an assigned name, or straddles two of
// them, is kept: the scan errs on the side of keeping a presenter's song.
namespace UnusedSongs {

enum class Table {
    Saved,   // PercorsiSalvati, every slot: what the board plays and the cleanup deletes by
    Working, // PercorsiModifica, only slots whose folder is Musiche: the editor's menu
};

// The lower-cased used text of a table; songsFolder is Musiche with its trailing separator.
QString usedText(const PathsTable &table, Table choice, const QString &songsFolder);

// Whether name counts as used by the used text.
bool isUsed(const QString &name, const QString &usedText);

// The plain files directly inside Musiche (no folders, no symbolic links, no hidden files) that
// the chosen table does not use, ordered by name without regard to letter case. This is the
// list `FileInutili` starts from; a missing Musiche gives an empty list.
QStringList CercaFileInutili(const AppState &state, Table table);

} // namespace UnusedSongs
