#pragma once

#include "core/textfile.h"
#include "game/buzzerarbiter.h"
#include "game/game.h"
#include "game/team.h"

#include <QObject>
#include <QString>

// The game of one run as the windows share it: the teams, the game with its undo, the buzzer
// booking and the number played last, whose points an award moves. Every change is stored in
// Punteggi.sav at once and announced, so the board shows it whichever window made it.
class GameSession : public QObject {
    Q_OBJECT

public:
    GameSession(QString programFolder, QList<Team> teams, Game game, QObject *parent = nullptr);

    const QList<Team> &teams() const { return m_teams; }
    const Game &game() const { return m_game; }
    BuzzerArbiter &buzzers() { return m_buzzers; }
    // The number played last, 0..24, or -1 before the first.
    int lastPlayed() const { return m_lastPlayed; }

    // New names, colours or keys for the same number of teams; false (and nothing changed)
    // for another number, which needs a game of its own.
    bool renameTeams(const QList<Team> &teams);

    // A number played from the board: marked without a step, and the one awards go to.
    void played(int slot);

    GameChange award(int team);
    GameChange penalty(int team);
    GameChange setScore(int team, int value);
    GameChange markByHand(int slot);
    GameChange unmarkByHand(int slot);
    GameChange reset();
    GameChange undo();
    GameChange redo();
    // The booked answer settled; both return what changed (nothing without a booking).
    GameChange buzzerRight();
    GameChange buzzerWrong(qint64 stamp, bool penalty);

    // "+30 Rossi" for each score the change moved, or an empty text.
    QString changeText(const GameChange &change) const;
    // "Rossi: 30 punti", the accessible name of a team's score.
    QString scoreName(int team) const;

signals:
    void changed(const GameChange &change);
    // Punteggi.sav could not be written or removed; the game goes on without it.
    void storeFailed(const QString &error);

private:
    GameChange settle(GameChange change);

    QString m_folder;
    QList<Team> m_teams;
    Game m_game;
    BuzzerArbiter m_buzzers;
    int m_lastPlayed = -1;
};
