#pragma once

#include "core/pathsfile.h"
#include "core/textfile.h"

#include <QStringList>

struct AppState;

// Estratti.ini: the snippet of each slot that has one, a line "N=START;END;NAME" (slot 0..24,
// milliseconds, END 0 the song's end, NAME the file the points belong to). A damaged line is
// skipped and the first good line of a slot decides; points for a file other than the slot's
// are not taken.
namespace SnippetsFile {

inline constexpr QLatin1String FileName("Estratti.ini");

// The snippets the lines give each slot of table; the other slots lose theirs.
void apply(const QStringList &lines, PathsTable &table);
// One line for each slot whose points belong to its song, in slot order.
QStringList writtenForm(const PathsTable &table);

// The snippet the board's slot titled title (as "Ballo 40") plays with the song at path; none
// when the slot's song is another file.
Snippet forSong(const PathsTable &table, const QString &title, const QString &path);

// Both tables from the program folder's file; a missing file leaves every slot without points.
void load(AppState &state);
// The saved table's points, written whole.
[[nodiscard]] TextFile::WriteResult save(const AppState &state);

} // namespace SnippetsFile
