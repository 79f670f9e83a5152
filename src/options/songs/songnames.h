#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// Names and filters of the songs the presenter picks.
namespace SongNames {

// Not every name survives Percorsi.ini and the copy: a ";" makes the file read as the older
// commented layout, a "=" can look like another slot's key, a line break ends the line, blanks
// at either end are trimmed by the reader, and a name too long for the copy's partial file
// cannot be copied at all. The songs folder keeps such a song under a safe name: ";", "=" and
// line breaks become "_", the blanks at the ends go, a long name is cut before its extension.
// Other names are returned unchanged.
QString safeName(const QString &name);
// Why name cannot be kept as it is, said as the end of "Il nome del file ... "; empty when it
// can.
QString unsafeReason(const QString &name);

// One entry of the file dialog's filter list: its caption and the patterns it shows.
struct Filter {
    QString caption;
    QStringList patterns;
};
// The filters in the order the dialog lists them; the second one is preselected.
const std::vector<Filter> &filters();
inline constexpr int PreselectedFilter = 1;

// The folder the file dialog opens in: the user's desktop, or the home folder without one.
QString startFolder();

} // namespace SongNames
