#pragma once

#include <QString>

#include <functional>
#include <limits>

// Names given to files the program puts into a folder of its own (the songs folder): cut to
// what the file system takes, and numbered when the name is already used.
namespace FileNames {

// The longest name of one entry of a folder, in bytes of its encoded form.
inline constexpr qsizetype MaxBytes = 255;

// The name's bytes as the file system stores them.
qsizetype bytes(const QString &name);
// name cut, at a character boundary, so that it takes at most maxBytes: the part before its
// extension is cut, or the end of the name when whole is set or the extension alone is too
// long. A name that fits is returned unchanged.
QString shortened(const QString &name, qsizetype maxBytes, bool whole = false);
// The first of name(0), name(1), ... that taken() refuses: the number goes before the
// extension ("track(0).wav"), or after the whole name when whole is set (a folder) or the name
// has no dot. With maxBytes, the part before the number is cut so each candidate fits.
QString numbered(const QString &name, bool whole, const std::function<bool(const QString &)> &taken,
                 qsizetype maxBytes = std::numeric_limits<qsizetype>::max());

} // namespace FileNames
