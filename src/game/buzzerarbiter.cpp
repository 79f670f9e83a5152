#include "game/buzzerarbiter.h"

#include <algorithm>

BuzzerArbiter::BuzzerArbiter(int teamCount)
{
    setTeamCount(teamCount);
}

void BuzzerArbiter::setTeamCount(int teamCount)
{
    m_locked = QList<bool>(qMax(0, teamCount), false);
    m_booked = -1;
    if (m_state == State::Booked)
        m_state = State::Open;
}

void BuzzerArbiter::songStarted(qint64 stamp)
{
    m_locked.fill(false);
    reopen(stamp);
}

void BuzzerArbiter::songStopped()
{
    m_state = State::Idle;
    m_booked = -1;
}

BuzzerArbiter::Press BuzzerArbiter::press(int team, qint64 stamp)
{
    if (m_state == State::Idle || team < 0 || team >= m_locked.size() || m_locked.at(team) ||
        stamp < m_openedAt)
        return Press::Ignored;
    if (m_state == State::Open) {
        m_state = State::Booked;
        m_booked = team;
        m_bookedAt = stamp;
        return Press::Booked;
    }
    // Equal stamps keep the one handled first.
    if (team == m_booked || stamp >= m_bookedAt)
        return Press::Refused;
    m_booked = team;
    m_bookedAt = stamp;
    return Press::TookOver;
}

int BuzzerArbiter::right()
{
    const int team = bookedTeam();
    if (team >= 0)
        songStopped();
    return team;
}

int BuzzerArbiter::wrong(qint64 stamp)
{
    const int team = bookedTeam();
    if (team < 0)
        return -1;
    m_locked[team] = true;
    reopen(stamp);
    return team;
}

int BuzzerArbiter::drop(qint64 stamp)
{
    const int team = bookedTeam();
    if (team >= 0)
        reopen(stamp);
    return team;
}

bool BuzzerArbiter::isLocked(int team) const
{
    return team >= 0 && team < m_locked.size() && m_locked.at(team);
}

bool BuzzerArbiter::allLocked() const
{
    return !m_locked.isEmpty() &&
           std::all_of(m_locked.cbegin(), m_locked.cend(), [](bool locked) { return locked; });
}

void BuzzerArbiter::reopen(qint64 stamp)
{
    m_state = State::Open;
    m_booked = -1;
    m_openedAt = stamp;
}
