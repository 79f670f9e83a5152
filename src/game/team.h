#pragma once

#include <QChar>
#include <QList>
#include <QString>

// One team of the game: its name as the board shows it, its colour and the key that books an
// answer (a USB buzzer box types the same letters and digits).
struct Team {
    QString name;
    QString colour; // "#RRGGBB", upper case
    QChar key;      // 'A'..'Z' or '0'..'9'; null for none

    bool operator==(const Team &) const = default;
};

inline constexpr int MaxTeams = 8;

// Why a team cannot be taken as it is; the options tab says it in words.
enum class TeamProblem {
    None,
    TooMany,       // a ninth team
    EmptyName,     // nothing left once the blanks are trimmed
    BadName,       // a line break or another control character
    DuplicateName, // another team has it, letter case aside
    BadColour,     // not "#RRGGBB"
    BadKey,        // not a letter A-Z or a digit
    ReservedKey,   // the board or the playback window already acts on it
    DuplicateKey,  // another team has it
};

namespace Teams {

// The colour in its stored form ("#A0B1C2"), or empty when text is not "#RRGGBB".
QString normalColour(const QString &text);
// The key in its stored form (upper case), a null QChar for an empty text; '?' stands for a
// text that is no acceptable key, so the check below refuses it.
QChar normalKey(const QString &text);

// Letters the board or the playback window act on without a modifier. Ctrl+O, Ctrl+Z and
// Ctrl+Y are taken with Ctrl only, so a team may still have O, Z or Y.
bool isReservedKey(QChar key);

// A team's key from a key press: Qt's code for a letter or a digit (the keypad's too) maps
// to the stored key; anything else gives a null QChar.
QChar keyFromQtKey(int qtKey);

// The first problem of candidate as team number `index` of teams (index == teams.size() for a
// new one); the candidate itself is compared with the others, never with its own old entry.
TeamProblem check(const QList<Team> &teams, const Team &candidate, qsizetype index);
// The first problem of a whole list, with the index of the team that has it (-1 for none).
struct ListProblem {
    TeamProblem problem = TeamProblem::None;
    qsizetype index = -1;
};
ListProblem checkAll(const QList<Team> &teams);

// The team whose key is key, or -1.
qsizetype indexOfKey(const QList<Team> &teams, QChar key);

} // namespace Teams
