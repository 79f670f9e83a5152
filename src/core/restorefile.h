#pragma once

#include "core/textfile.h"

#include <QList>
#include <QString>

// Ripristino.sav: the numbers played in the game under way, one line per mark ("ba2").
namespace RestoreFile {

struct Mark {
    int category; // 0..4
    int number;   // 0..4
    bool operator==(const Mark &) const = default;
};

// The text after a mark or an unmark, or the same text when nothing changes.
QString withMark(const QString &text, const QString &entry);
QString withoutMark(const QString &text, const QString &entry);
// The marks a text names, in order; other lines are ignored.
QList<Mark> marks(const QString &text);

} // namespace RestoreFile

// The file operations; programFolder has no trailing separator. A write that fails leaves the
// former file in place and is reported.
TextFile::WriteResult RegistraGiocata(const QString &programFolder, const QString &code,
                                      int number);
TextFile::WriteResult AnnullaGiocata(const QString &programFolder, const QString &code, int number);
QList<RestoreFile::Mark> RipristinaGiocate(const QString &programFolder);
// Removes the file (normal end, Reset); false when it exists and could not be removed.
[[nodiscard]] bool EliminaRipristino(const QString &programFolder);
