#pragma once

#include "core/textfile.h"

struct AppState;

// The program's own data files (settings, song paths) read and written on behalf of the run: a
// file that exists but cannot be read is noted in the run's UnreadFiles, and a later write to it
// is refused with a reason instead of replacing what the presenter may still rescue.
namespace DataFiles {

QStringList readLines(AppState &state, const QString &path);
[[nodiscard]] TextFile::WriteResult writeText(const AppState &state, const QString &path,
                                              const QString &text);
[[nodiscard]] TextFile::WriteResult writeLines(const AppState &state, const QString &path,
                                               const QStringList &lines);
// Notes path when it exists but cannot be read; true when it can be read or is missing.
bool check(AppState &state, const QString &path);

} // namespace DataFiles
