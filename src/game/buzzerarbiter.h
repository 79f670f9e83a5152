#pragma once

#include <QList>
#include <QtGlobal>

// Who answers first while a song plays. The first press of a team that is not locked out books
// the answer and every other key is refused until the presenter settles it: right (the song
// ends), wrong (that team is out for this song and the others may press again) or dropped (the
// booking goes, nobody is out). A new song lets every team press again.
//
// Presses are ordered by their own time stamps (the key event's, in milliseconds), not by when
// the window handled them: a press stamped earlier than the booking it arrives after takes the
// booking over, so two teams 5 ms apart are settled right even when the window sees both in
// one batch, or the later one first. All stamps must come from one clock.
class BuzzerArbiter {
public:
    enum class State {
        Idle,   // no song playing: keys mean nothing
        Open,   // a song plays and waits for a press
        Booked, // a team has the answer
    };
    enum class Press {
        Ignored,  // no song, no team, or a team out for this song
        Refused,  // another team was first
        Booked,   // this team has the answer now
        TookOver, // this team pressed before the one that had it, and has it now
    };

    explicit BuzzerArbiter(int teamCount = 0);

    // The team list changed; locks and any booking go.
    void setTeamCount(int teamCount);

    // A song starts playing (every lock cleared) or is over (keys mean nothing until the next).
    // Presses stamped before `stamp` belong to the time before and are ignored.
    void songStarted(qint64 stamp = 0);
    void songStopped();

    Press press(int team, qint64 stamp);

    // The settlements; each returns the booked team, or -1 (and changes nothing) when no team
    // has the answer. A settlement at `stamp` refuses presses stamped before it.
    int right();
    int wrong(qint64 stamp);
    int drop(qint64 stamp);

    State state() const { return m_state; }
    int bookedTeam() const { return m_state == State::Booked ? m_booked : -1; }
    bool isLocked(int team) const;
    // True when every team is out for this song: nobody is left to press.
    bool allLocked() const;

private:
    void reopen(qint64 stamp);

    State m_state = State::Idle;
    QList<bool> m_locked;
    int m_booked = -1;
    qint64 m_bookedAt = 0;
    qint64 m_openedAt = 0;
};
