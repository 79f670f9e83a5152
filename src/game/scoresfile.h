#pragma once

#include "core/textfile.h"
#include "game/game.h"

#include <QList>
#include <QString>

// Punteggi.sav: the scores and the steps of the game under way, so that after a crash the game
// comes back with its undo. It lives as Ripristino.sav does: rewritten at every step, removed
// by a Reset and at a normal end. Lines, CRLF-ended:
//   squadre=3                  the number of teams it was kept for
//   punti=30;-10;0             each team's score, in team order
//   fatti=2                    how many of the steps below are in force
//   passo=KIND;SLOT;TEAM;POINTS;BEFORE;SCORES;MARKS    one per step, oldest first
// KIND is premio, penalita, punteggio, segno, togli, giusta, sbagliata or reset; SCORES and
// MARKS are comma lists, used by reset only; -1 stands for no slot or no team.
namespace ScoresFile {

QString format(const Game &game);

enum class LoadState {
    None,       // no file: a clean start
    Restored,   // the game is back
    Damaged,    // not a file this program wrote, or a hand edit broke it
    OtherTeams, // kept for another number of teams than the teams now set
    Unreadable, // there but cannot be read
};
struct Loaded {
    LoadState state = LoadState::None;
    Game game;
    QString message; // for the presenter, when the file had to be left aside
};

// The game a text holds for teamCount teams, with the marks the restore file gave back.
Loaded parse(const QStringList &lines, int teamCount, const QList<int> &markedSlots);
Loaded load(const QString &programFolder, int teamCount, const QList<int> &markedSlots);

// After every change of the game: writes the file, or removes it when there are no teams or
// the step in force last is a Reset (a clean board, as Ripristino.sav).
TextFile::WriteResult store(const QString &programFolder, const Game &game);
// Removes the file; false when it exists and could not be removed.
[[nodiscard]] bool remove(const QString &programFolder);

} // namespace ScoresFile
