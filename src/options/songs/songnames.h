#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// Names and filters of the songs the presenter picks.
namespace SongNames {

// Percorsi.ini cannot carry every name: a ";" makes the file read as the older commented
// layout and a "=" can look like another slot's key. The songs folder keeps such a song under
// a name with each of them replaced by "_"; other names are returned unchanged.
QString safeName(const QString &name);
bool readsBack(const QString &name);

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
