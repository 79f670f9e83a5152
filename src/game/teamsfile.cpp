#include "game/teamsfile.h"

#include "core/casefind.h"

#include <QSet>

#include <algorithm>

namespace TeamsFile {

namespace {

struct Candidate {
    int number = 0;
    Team team;
    Skipped where;
};

QString filePath(const QString &programFolder)
{
    return CaseFind::resolve(programFolder, QStringLiteral("Squadre.ini"));
}

// The team a line holds, its fields as written; false when the line has not the team form.
bool split(const QString &line, int &number, Team &team)
{
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0)
        return false;
    bool ok = false;
    number = line.left(eq).trimmed().toInt(&ok);
    const QString rest = line.mid(eq + 1);
    const qsizetype keyAt = rest.lastIndexOf(u';');
    const qsizetype colourAt = keyAt > 0 ? rest.lastIndexOf(u';', keyAt - 1) : -1;
    if (!ok || number < 1 || colourAt < 0)
        return false;
    team.name = rest.left(colourAt).trimmed();
    const QString colour = rest.mid(colourAt + 1, keyAt - colourAt - 1);
    team.colour = Teams::normalColour(colour);
    if (team.colour.isEmpty())
        team.colour = colour; // kept as found, so the check names it
    team.key = Teams::normalKey(rest.mid(keyAt + 1));
    return true;
}

} // namespace

Contents parse(const QStringList &lines)
{
    Contents contents;
    QList<Candidate> candidates;
    QSet<int> numbers;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (line.trimmed().isEmpty())
            continue;
        Candidate c;
        c.where = {int(i + 1), line, SkipReason::NotATeamLine, TeamProblem::None};
        if (!split(line, c.number, c.team)) {
            contents.skipped.append(c.where);
        } else if (numbers.contains(c.number)) {
            c.where.reason = SkipReason::RepeatedNumber;
            contents.skipped.append(c.where);
        } else {
            numbers.insert(c.number);
            candidates.append(c);
        }
    }
    // A hand-edited file may list the teams out of order; the numbers give the order.
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate &a, const Candidate &b) { return a.number < b.number; });
    for (const Candidate &c : std::as_const(candidates)) {
        const TeamProblem problem = Teams::check(contents.teams, c.team, contents.teams.size());
        if (problem == TeamProblem::None) {
            contents.teams.append(c.team);
            continue;
        }
        Skipped skipped = c.where;
        skipped.reason = SkipReason::Team;
        skipped.problem = problem;
        contents.skipped.append(skipped);
    }
    std::stable_sort(
        contents.skipped.begin(), contents.skipped.end(),
        [](const Skipped &a, const Skipped &b) { return a.lineNumber < b.lineNumber; });
    return contents;
}

QString format(const QList<Team> &teams)
{
    QString text;
    for (qsizetype i = 0; i < teams.size(); ++i) {
        const Team &team = teams.at(i);
        text += QString::number(i + 1) + u'=' + team.name.trimmed() + u';' +
                Teams::normalColour(team.colour) + u';' +
                (team.key.isNull() ? QString() : QString(team.key)) + u"\r\n";
    }
    return text;
}

Contents read(const QString &programFolder)
{
    const QString path = filePath(programFolder);
    const TextFile::FileProbe probe = TextFile::probe(path);
    if (probe.state == TextFile::FileState::Missing)
        return {};
    if (probe.state != TextFile::FileState::Readable) {
        Contents contents;
        contents.unreadable = probe.reason;
        return contents;
    }
    return parse(TextFile::readLines(path));
}

TextFile::WriteResult write(const QString &programFolder, const QList<Team> &teams)
{
    const QString path = filePath(programFolder);
    if (teams.isEmpty()) {
        if (!TextFile::removeIfExists(path))
            return {false, QStringLiteral("Il file %1 non può essere eliminato").arg(path)};
        return {true, {}};
    }
    const Teams::ListProblem problem = Teams::checkAll(teams);
    if (problem.problem != TeamProblem::None)
        return {false, QStringLiteral("La squadra %1 non è valida").arg(problem.index + 1)};
    return TextFile::writeText(path, format(teams));
}

} // namespace TeamsFile
