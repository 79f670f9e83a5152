#pragma once

#include <QString>

// Names in the program folder are matched without regard to letter case, as presenters' files
// come from systems that do the same.
namespace CaseFind {

// The name of the entry of folder that equals name ignoring case: the exact name when it
// exists, else the first match in name order; empty when there is none.
QString entryName(const QString &folder, const QString &name);
// folder + "/" + the entry found, or empty.
QString path(const QString &folder, const QString &name);
// base joined with relative ("Temi/Blu/sfondo.jpg"), each name of relative matched as
// entryName does; from the first name not found on, the names stay as given, so the result
// names what does not exist. Separators, a trailing one included, are kept.
QString resolve(const QString &base, const QString &relative);
// Whether name is one entry directly inside a folder: no separator, not "." or "..", not empty.
bool isBareName(const QString &name);

} // namespace CaseFind
