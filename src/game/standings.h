#pragma once

#include "core/textfile.h"
#include "game/game.h"
#include "game/team.h"

#include <QDateTime>
#include <QList>
#include <QString>

// Classifiche.txt: the final standing of every game that ended with scores, one block per
// game, the newest last. Past games are never rewritten: a new block is added to the text as
// it was, and the whole file is replaced atomically.
namespace Standings {

// "Partita del 10/12/2026 alle 21:05", then one line per team from the highest score down
// ("1. Rossi: 30 punti"; equal scores share a place and keep the team order), then a blank
// line.
QString block(const QList<Team> &teams, const QList<int> &scores, const QDateTime &when);

// Adds block to the file. A file that is there but cannot be read is left alone and the
// write refused, so no past game is lost.
TextFile::WriteResult append(const QString &programFolder, const QString &block);

// The normal end of the program: a game with scores goes into the standings, then Punteggi.sav
// is removed. When the standings cannot be written Punteggi.sav stays, so the scores come back
// at the next start instead of being lost.
TextFile::WriteResult finish(const QString &programFolder, const QList<Team> &teams,
                             const Game &game, const QDateTime &when);

} // namespace Standings
