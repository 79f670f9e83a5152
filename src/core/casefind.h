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
// Whether name is one entry directly inside a folder: no separator, not "." or "..", not empty.
bool isBareName(const QString &name);

} // namespace CaseFind
