#pragma once

#include "game/team.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The few messages a phone and the server exchange over the WebSocket, as compact JSON text.
//
// A phone sends: {"type":"join","code":"1234"} or {"type":"join","token":"..."} once,
// {"type":"team","team":N} to pick its team and {"type":"press"} for the button.
// The server sends: "welcome" (token, teams, the phone's team, the song), "refused" (why),
// "team" (the team taken), "press" (what became of the team's press) and "song" (open,
// booked by a team, closed; the teams out for this song).
namespace PhoneMessages {

struct Incoming {
    enum class Kind { Unknown, Join, Team, Press };
    Kind kind = Kind::Unknown;
    QString code;  // join
    QString token; // join
    int team = -1; // team
};

// Anything that is not one of the messages above, or has fields of the wrong kind, is Unknown.
Incoming parse(const QString &text);

enum class Outcome {
    Booked,    // the team has the answer
    TooLate,   // another team was first
    LockedOut, // the team is out for this song
    NoSong,    // no song is playing
};

enum class SongState { Closed, Open, Booked };

struct Song {
    SongState state = SongState::Closed;
    int team = -1;          // the booked team while Booked
    QList<int> lockedTeams; // out for this song
};

QString welcome(const QString &token, const QList<Team> &teams, int team, const Song &song);
QString refused(const QString &reason);
QString teamTaken(int team);
QString outcome(Outcome outcome);
QString song(const Song &song);

} // namespace PhoneMessages
