#pragma once

#include "core/textfile.h"
#include "game/team.h"

#include <QList>
#include <QString>
#include <QStringList>

// Squadre.ini: the teams in their order, one line each, "N=NAME;#RRGGBB;KEY" with N from 1 and
// KEY empty for none. The colour and the key are the last two fields, so a name is stored as
// typed, ";" and "=" included, and reads back the same: the reader takes the number before the
// first "=" and the two fields after the last two ";". Without teams there is no file.
namespace TeamsFile {

// Why a line was left out; a line that holds a team but breaks a rule names the rule too.
enum class SkipReason {
    NotATeamLine,   // no "=", no number before it, or fewer than three fields
    RepeatedNumber, // a number an earlier line already has
    Team,           // see problem
};

struct Skipped {
    int lineNumber = 0; // 1 for the file's first line
    QString text;
    SkipReason reason = SkipReason::NotATeamLine;
    TeamProblem problem = TeamProblem::None;
};

struct Contents {
    QList<Team> teams; // in the order of their numbers
    QList<Skipped> skipped;
    QString unreadable; // the system's reason when the file is there but cannot be read
};

// Blank lines mean nothing; every other line that does not give a team is reported.
Contents parse(const QStringList &lines);
// The written form of teams that pass Teams::checkAll, each line followed by CRLF.
QString format(const QList<Team> &teams);

// programFolder has no trailing separator.
Contents read(const QString &programFolder);
// Replaces the file as a whole; no teams removes it. A list that does not pass
// Teams::checkAll is refused and the file stays as it was.
TextFile::WriteResult write(const QString &programFolder, const QList<Team> &teams);

} // namespace TeamsFile
