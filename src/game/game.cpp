#include "game/game.h"

#include <algorithm>

using Kind = GameStep::Kind;

namespace {

GameStep slotStep(Kind kind, int slot)
{
    GameStep step;
    step.kind = kind;
    step.slot = slot;
    return step;
}

} // namespace

Game::Game(int teamCount) : m_scores(qMax(0, teamCount), 0) {}

Game Game::restored(const QList<int> &scores, const QList<int> &markedSlots,
                    const QList<GameStep> &steps, int done)
{
    Game game(int(scores.size()));
    game.m_scores = scores;
    for (const int slot : markedSlots) {
        if (validSlot(slot))
            game.m_marked[size_t(slot)] = true;
    }
    game.m_steps = steps;
    game.m_done = qBound(0, done, int(steps.size()));
    return game;
}

bool Game::validSlot(int slot)
{
    return slot >= 0 && slot < SlotCount;
}

bool Game::hasScores() const
{
    return std::any_of(m_scores.cbegin(), m_scores.cend(), [](int s) { return s != 0; });
}

QList<int> Game::markedSlots() const
{
    QList<int> marked;
    for (int slot = 0; slot < SlotCount; ++slot) {
        if (m_marked[size_t(slot)])
            marked.append(slot);
    }
    return marked;
}

GameChange Game::award(int slot, int team)
{
    return pointsStep(Kind::Award, slot, team, slotPoints(slot % SlotsPerCategory));
}

GameChange Game::penalty(int slot, int team)
{
    return pointsStep(Kind::Penalty, slot, team, slotPoints(slot % SlotsPerCategory));
}

GameChange Game::buzzerRight(int slot, int team)
{
    return pointsStep(Kind::BuzzerRight, slot, team, slotPoints(slot % SlotsPerCategory));
}

GameChange Game::buzzerWrong(int slot, int team, bool penalty)
{
    return pointsStep(Kind::BuzzerWrong, slot, team,
                      penalty ? slotPoints(slot % SlotsPerCategory) : 0);
}

GameChange Game::pointsStep(Kind kind, int slot, int team, int points)
{
    if (!validSlot(slot) || !validTeam(team))
        return {};
    GameStep step;
    step.kind = kind;
    step.slot = slot;
    step.team = team;
    step.points = points;
    return push(step);
}

GameChange Game::setScore(int team, int value)
{
    if (!validTeam(team) || m_scores.at(team) == value)
        return {};
    GameStep step;
    step.kind = Kind::SetScore;
    step.team = team;
    step.points = value;
    step.before = m_scores.at(team);
    return push(step);
}

GameChange Game::markByHand(int slot)
{
    if (!validSlot(slot) || isMarked(slot))
        return {};
    return push(slotStep(Kind::Mark, slot));
}

GameChange Game::unmarkByHand(int slot)
{
    if (!isMarked(slot))
        return {};
    return push(slotStep(Kind::Unmark, slot));
}

GameChange Game::reset()
{
    return push(slotStep(Kind::Reset, -1));
}

void Game::markPlayed(int slot)
{
    if (validSlot(slot))
        m_marked[size_t(slot)] = true;
}

GameChange Game::push(GameStep step)
{
    m_steps.resize(m_done);
    GameChange change = apply(step, true);
    m_steps.append(step);
    m_done = int(m_steps.size());
    change.happened = true;
    m_last = change;
    return change;
}

GameChange Game::undo()
{
    return canUndo() ? travel(false) : GameChange();
}

GameChange Game::redo()
{
    return canRedo() ? travel(true) : GameChange();
}

GameChange Game::travel(bool forward)
{
    const int at = forward ? m_done : m_done - 1;
    GameChange change = apply(m_steps[at], forward);
    m_done = forward ? at + 1 : at;
    change.happened = true;
    m_last = change;
    return change;
}

// Runs a step forward or back. Scores move by differences, so an undo leaves alone whatever
// no step did; a Reset notes what it cleared each time it runs, as plays may have come since.
GameChange Game::apply(GameStep &step, bool forward)
{
    GameChange change;
    change.kind = step.kind;
    change.undone = !forward;
    const int sign = forward ? 1 : -1;
    switch (step.kind) {
    case Kind::Award:
    case Kind::BuzzerRight:
        moveScore(change, step.team, sign * step.points);
        break;
    case Kind::Penalty:
    case Kind::BuzzerWrong:
        moveScore(change, step.team, -sign * step.points);
        break;
    case Kind::SetScore:
        moveScore(change, step.team, sign * (step.points - step.before));
        break;
    case Kind::Mark:
    case Kind::Unmark:
        setMark(change, step.slot, (step.kind == Kind::Mark) == forward);
        break;
    case Kind::Reset:
        if (forward)
            resetForward(step, change);
        else
            resetBack(step, change);
        break;
    }
    return change;
}

void Game::moveScore(GameChange &change, int team, int delta)
{
    if (!validTeam(team) || delta == 0)
        return;
    m_scores[team] += delta;
    change.scores.append({team, delta});
}

void Game::setMark(GameChange &change, int slot, bool marked)
{
    if (!validSlot(slot) || m_marked[size_t(slot)] == marked)
        return;
    m_marked[size_t(slot)] = marked;
    change.marks.append({slot, marked});
}

void Game::resetForward(GameStep &step, GameChange &change)
{
    step.scoresBefore = m_scores;
    step.marksBefore = markedSlots();
    for (int team = 0; team < teamCount(); ++team)
        moveScore(change, team, -m_scores.at(team));
    for (const int slot : std::as_const(step.marksBefore))
        setMark(change, slot, false);
}

void Game::resetBack(const GameStep &step, GameChange &change)
{
    for (int team = 0; team < step.scoresBefore.size(); ++team)
        moveScore(change, team, step.scoresBefore.at(team));
    for (const int slot : step.marksBefore)
        setMark(change, slot, true);
}
