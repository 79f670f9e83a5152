#include "game/gamesession.h"

#include "game/scoresfile.h"

GameSession::GameSession(QString programFolder, QList<Team> teams, Game game, QObject *parent)
    : QObject(parent), m_folder(std::move(programFolder)), m_teams(std::move(teams)),
      m_game(std::move(game)), m_buzzers(int(m_teams.size()))
{
}

bool GameSession::renameTeams(const QList<Team> &teams)
{
    if (teams.size() != m_teams.size())
        return false;
    m_teams = teams;
    return true;
}

void GameSession::played(int slot)
{
    m_lastPlayed = slot;
    m_game.markPlayed(slot);
    GameChange change;
    change.marks.append({slot, true});
    settle(change);
}

GameChange GameSession::award(int team)
{
    return settle(m_game.award(m_lastPlayed, team));
}

GameChange GameSession::penalty(int team)
{
    return settle(m_game.penalty(m_lastPlayed, team));
}

GameChange GameSession::setScore(int team, int value)
{
    return settle(m_game.setScore(team, value));
}

GameChange GameSession::markByHand(int slot)
{
    return settle(m_game.markByHand(slot));
}

GameChange GameSession::unmarkByHand(int slot)
{
    return settle(m_game.unmarkByHand(slot));
}

GameChange GameSession::reset()
{
    m_lastPlayed = -1;
    return settle(m_game.reset());
}

GameChange GameSession::undo()
{
    return settle(m_game.undo());
}

GameChange GameSession::redo()
{
    return settle(m_game.redo());
}

GameChange GameSession::buzzerRight()
{
    const int team = m_buzzers.right();
    return team < 0 ? GameChange{} : settle(m_game.buzzerRight(m_lastPlayed, team));
}

GameChange GameSession::buzzerWrong(qint64 stamp, bool penalty)
{
    const int team = m_buzzers.wrong(stamp);
    return team < 0 ? GameChange{} : settle(m_game.buzzerWrong(m_lastPlayed, team, penalty));
}

// A played number changes the file without a step (its marks stay in Ripristino.sav), so it
// is stored as every step is, but only a step is announced as one.
GameChange GameSession::settle(GameChange change)
{
    if (!change.happened && change.marks.isEmpty())
        return change;
    const TextFile::WriteResult written = ScoresFile::store(m_folder, m_game);
    if (!written.ok)
        emit storeFailed(written.error);
    emit changed(change);
    return change;
}

QString GameSession::changeText(const GameChange &change) const
{
    QStringList parts;
    for (const GameChange::Score &score : change.scores) {
        if (score.delta == 0 || score.team < 0 || score.team >= m_teams.size())
            continue;
        parts.append(QStringLiteral("%1%2 %3")
                         .arg(score.delta > 0 ? QStringLiteral("+") : QString())
                         .arg(score.delta)
                         .arg(m_teams.at(score.team).name));
    }
    return parts.join(QStringLiteral("   "));
}

QString GameSession::scoreName(int team) const
{
    if (team < 0 || team >= m_teams.size())
        return {};
    return QStringLiteral("%1: %2 punti").arg(m_teams.at(team).name).arg(m_game.score(team));
}
