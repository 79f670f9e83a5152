#include "options/teams/teamseditor.h"

#include "options/teams/teamwords.h"

#include <algorithm>

QStringList TeamsEditor::load(const QString &programFolder)
{
    const TeamsFile::Contents contents = TeamsFile::read(programFolder);
    m_stored = contents.teams;
    m_working = m_stored;
    m_editable = contents.unreadable.isEmpty();
    if (!m_editable)
        return {QStringLiteral("Impossibile leggere Squadre.ini: ") + contents.unreadable};
    QStringList words;
    for (const TeamsFile::Skipped &line : contents.skipped)
        words << TeamWords::skipped(line);
    return words;
}

const QStringList &TeamsEditor::palette()
{
    // Far apart from each other and readable on a dark board picture.
    static const QStringList colours{QStringLiteral("#E53935"), QStringLiteral("#1E88E5"),
                                     QStringLiteral("#43A047"), QStringLiteral("#FDD835"),
                                     QStringLiteral("#8E24AA"), QStringLiteral("#FB8C00"),
                                     QStringLiteral("#00ACC1"), QStringLiteral("#D81B60"),
                                     QStringLiteral("#6D4C41"), QStringLiteral("#FFFFFF")};
    return colours;
}

TeamProblem TeamsEditor::add()
{
    if (!m_editable)
        return TeamProblem::None;
    Team team;
    team.colour = palette().first();
    for (const QString &colour : palette()) {
        const bool used = std::any_of(m_working.cbegin(), m_working.cend(),
                                      [&colour](const Team &t) { return t.colour == colour; });
        if (!used) {
            team.colour = colour;
            break;
        }
    }
    // The colour is set first: the check looks at the name only once the team is whole.
    for (int n = int(m_working.size()) + 1;; ++n) {
        team.name = QStringLiteral("Squadra %1").arg(n);
        if (Teams::check(m_working, team, m_working.size()) != TeamProblem::DuplicateName)
            break;
    }
    const TeamProblem problem = Teams::check(m_working, team, m_working.size());
    if (problem == TeamProblem::None)
        m_working.append(team);
    return problem;
}

TeamProblem TeamsEditor::replace(qsizetype index, const Team &team)
{
    if (!m_editable || !valid(index))
        return TeamProblem::None;
    Team normal = team;
    normal.name = team.name.trimmed();
    const QString colour = Teams::normalColour(team.colour);
    if (!colour.isEmpty())
        normal.colour = colour;
    const TeamProblem problem = Teams::check(m_working, normal, index);
    if (problem == TeamProblem::None)
        m_working[index] = normal;
    return problem;
}

void TeamsEditor::remove(qsizetype index)
{
    if (m_editable && valid(index))
        m_working.removeAt(index);
}

bool TeamsEditor::move(qsizetype index, int step)
{
    const qsizetype other = index + step;
    if (!m_editable || !valid(index) || !valid(other))
        return false;
    m_working.swapItemsAt(index, other);
    return true;
}

TextFile::WriteResult TeamsEditor::apply(const QString &programFolder)
{
    if (!m_editable || !isModified())
        return {true, {}};
    TextFile::WriteResult result = TeamsFile::write(programFolder, m_working);
    if (result.ok)
        m_stored = m_working;
    return result;
}
