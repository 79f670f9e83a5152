#pragma once

#include "game/team.h"
#include "game/teamsfile.h"

#include <QString>

// The words the teams tab says when it refuses a change or leaves out a line of Squadre.ini.
namespace TeamWords {

// Why candidate cannot be taken; empty for TeamProblem::None.
QString problem(TeamProblem problem, const Team &candidate);
// One line of Squadre.ini that gave no team, with its line number.
QString skipped(const TeamsFile::Skipped &line);

} // namespace TeamWords
