#include "game/team.h"

#include <Qt>

namespace Teams {

namespace {

bool isKeyChar(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

bool hasControl(const QString &name)
{
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            return true;
    }
    return false;
}

TeamProblem checkOwn(const Team &team)
{
    const QString name = team.name.trimmed();
    if (name.isEmpty())
        return TeamProblem::EmptyName;
    if (hasControl(name))
        return TeamProblem::BadName;
    if (normalColour(team.colour).isEmpty())
        return TeamProblem::BadColour;
    if (!team.key.isNull() && !isKeyChar(team.key))
        return TeamProblem::BadKey;
    if (!team.key.isNull() && isReservedKey(team.key))
        return TeamProblem::ReservedKey;
    return TeamProblem::None;
}

} // namespace

QString normalColour(const QString &text)
{
    const QString t = text.trimmed();
    if (t.size() != 7 || t.front() != u'#')
        return {};
    for (qsizetype i = 1; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (!(c >= u'0' && c <= u'9') && !(c >= u'A' && c <= u'F') && !(c >= u'a' && c <= u'f'))
            return {};
    }
    return t.toUpper();
}

QChar normalKey(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return {};
    if (t.size() != 1)
        return u'?';
    const QChar c = t.front().toUpper();
    return isKeyChar(c) ? c : u'?';
}

bool isReservedKey(QChar key)
{
    // M marks a number on the board and mutes the player; R is the player's repeat.
    return key == u'M' || key == u'R';
}

QChar keyFromQtKey(int qtKey)
{
    // Qt's codes for letters and digits are their ASCII codes, with or without the keypad.
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return QChar(qtKey);
    return {};
}

TeamProblem check(const QList<Team> &teams, const Team &candidate, qsizetype index)
{
    if (index >= MaxTeams)
        return TeamProblem::TooMany;
    const TeamProblem own = checkOwn(candidate);
    if (own != TeamProblem::None)
        return own;
    const QString name = candidate.name.trimmed();
    for (qsizetype i = 0; i < teams.size(); ++i) {
        if (i == index)
            continue;
        if (teams.at(i).name.trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return TeamProblem::DuplicateName;
    }
    for (qsizetype i = 0; i < teams.size(); ++i) {
        if (i != index && !candidate.key.isNull() && teams.at(i).key == candidate.key)
            return TeamProblem::DuplicateKey;
    }
    return TeamProblem::None;
}

ListProblem checkAll(const QList<Team> &teams)
{
    // Each team against those before it, so the later of two equal names is the one named.
    for (qsizetype i = 0; i < teams.size(); ++i) {
        const TeamProblem problem = check(teams.first(i), teams.at(i), i);
        if (problem != TeamProblem::None)
            return {problem, i};
    }
    return {};
}

qsizetype indexOfKey(const QList<Team> &teams, QChar key)
{
    if (key.isNull())
        return -1;
    for (qsizetype i = 0; i < teams.size(); ++i) {
        if (teams.at(i).key == key)
            return i;
    }
    return -1;
}

} // namespace Teams
