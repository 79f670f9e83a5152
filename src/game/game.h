#pragma once

#include "core/categories.h"
#include "game/gamestep.h"

#include <QList>

#include <array>

// The game under way: each team's score, the numbers played, and the steps that led there.
// Every request that changes the game is a step; undo takes the steps back one by one to the
// start of the game, redo brings them again, and a new step after an undo drops the steps
// that could have been redone. A number played from the board is marked without a step (the
// song was heard; there is nothing to take back), so undo never unmarks a played number
// except by taking back a mark by hand or a Reset's clearing.
class Game {
public:
    Game() = default;
    explicit Game(int teamCount);

    // A game as Punteggi.sav kept it, with the marks the restore file gave back. Steps that
    // name a team or a slot out of range are kept and change nothing.
    static Game restored(const QList<int> &scores, const QList<int> &markedSlots,
                         const QList<GameStep> &steps, int done);

    int teamCount() const { return int(m_scores.size()); }
    int score(int team) const { return validTeam(team) ? m_scores.at(team) : 0; }
    const QList<int> &scores() const { return m_scores; }
    // Any score other than 0: a game worth a line in the standings.
    bool hasScores() const;
    bool isMarked(int slot) const { return validSlot(slot) && m_marked[size_t(slot)]; }
    QList<int> markedSlots() const;

    // The steps; the first done() of them are in force, the rest can be redone.
    const QList<GameStep> &steps() const { return m_steps; }
    int done() const { return m_done; }
    bool canUndo() const { return m_done > 0; }
    bool canRedo() const { return m_done < m_steps.size(); }

    GameChange award(int slot, int team);
    GameChange penalty(int slot, int team);
    GameChange setScore(int team, int value);
    GameChange markByHand(int slot);
    GameChange unmarkByHand(int slot);
    GameChange buzzerRight(int slot, int team);
    GameChange buzzerWrong(int slot, int team, bool penalty);
    GameChange reset();
    GameChange undo();
    GameChange redo();

    // A number played from the board: marked, no step.
    void markPlayed(int slot);

    // The latest change that happened (a step, an undo or a redo), for the strip's flash.
    const GameChange &lastChange() const { return m_last; }

private:
    bool validTeam(int team) const { return team >= 0 && team < m_scores.size(); }
    static bool validSlot(int slot);
    GameChange pointsStep(GameStep::Kind kind, int slot, int team, int points);
    GameChange push(GameStep step);
    GameChange travel(bool forward);
    GameChange apply(GameStep &step, bool forward);
    void moveScore(GameChange &change, int team, int delta);
    void setMark(GameChange &change, int slot, bool marked);
    void resetForward(GameStep &step, GameChange &change);
    void resetBack(const GameStep &step, GameChange &change);

    QList<int> m_scores;
    std::array<bool, SlotCount> m_marked{};
    QList<GameStep> m_steps;
    int m_done = 0;
    GameChange m_last;
};
