#include "game/scoresfile.h"

#include "core/casefind.h"
#include "game/team.h"

#include <array>
#include <optional>

namespace ScoresFile {

namespace {

using Kind = GameStep::Kind;

const std::array<std::pair<Kind, QStringView>, 8> KindNames{{
    {Kind::Award, u"premio"},
    {Kind::Penalty, u"penalita"},
    {Kind::SetScore, u"punteggio"},
    {Kind::Mark, u"segno"},
    {Kind::Unmark, u"togli"},
    {Kind::BuzzerRight, u"giusta"},
    {Kind::BuzzerWrong, u"sbagliata"},
    {Kind::Reset, u"reset"},
}};

// Far beyond any score a game reaches; a larger number is a damaged file.
constexpr int MaxScore = 1000000;

QString filePath(const QString &programFolder)
{
    return CaseFind::resolve(programFolder, QStringLiteral("Punteggi.sav"));
}

QString joined(const QList<int> &numbers, QChar separator)
{
    QStringList parts;
    for (const int n : numbers)
        parts.append(QString::number(n));
    return parts.join(separator);
}

std::optional<int> number(QStringView text, int low, int high)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    if (!ok || n < low || n > high)
        return std::nullopt;
    return n;
}

std::optional<QList<int>> numbers(QStringView text, QChar separator, int low, int high)
{
    QList<int> result;
    if (text.trimmed().isEmpty())
        return result;
    for (const QStringView part : text.split(separator)) {
        const std::optional<int> n = number(part, low, high);
        if (!n)
            return std::nullopt;
        result.append(*n);
    }
    return result;
}

std::optional<GameStep> step(QStringView text, int teamCount)
{
    const QList<QStringView> fields = text.split(u';');
    if (fields.size() != 7)
        return std::nullopt;
    GameStep step;
    const auto kind = std::find_if(KindNames.cbegin(), KindNames.cend(),
                                   [&](const auto &entry) { return entry.second == fields[0]; });
    const auto slot = number(fields[1], -1, SlotCount - 1);
    const auto team = number(fields[2], -1, teamCount - 1);
    const auto points = number(fields[3], -MaxScore, MaxScore);
    const auto before = number(fields[4], -MaxScore, MaxScore);
    const auto scores = numbers(fields[5], u',', -MaxScore, MaxScore);
    const auto marks = numbers(fields[6], u',', 0, SlotCount - 1);
    if (kind == KindNames.cend() || !slot || !team || !points || !before || !scores || !marks)
        return std::nullopt;
    step.kind = kind->first;
    step.slot = *slot;
    step.team = *team;
    step.points = *points;
    step.before = *before;
    step.scoresBefore = *scores;
    step.marksBefore = *marks;
    return step;
}

QString stepLine(const GameStep &step)
{
    const auto kind = std::find_if(KindNames.cbegin(), KindNames.cend(),
                                   [&](const auto &entry) { return entry.first == step.kind; });
    return u"passo=" + kind->second.toString() + u';' + QString::number(step.slot) + u';' +
           QString::number(step.team) + u';' + QString::number(step.points) + u';' +
           QString::number(step.before) + u';' + joined(step.scoresBefore, u',') + u';' +
           joined(step.marksBefore, u',');
}

Loaded leftAside(LoadState state, const QString &message)
{
    Loaded loaded;
    loaded.state = state;
    loaded.message = message;
    return loaded;
}

Loaded damaged()
{
    return leftAside(LoadState::Damaged,
                     QStringLiteral("Il file Punteggi.sav è danneggiato: i punteggi della "
                                    "partita interrotta non possono essere ripristinati."));
}

} // namespace

QString format(const Game &game)
{
    QStringList lines{u"squadre=" + QString::number(game.teamCount()),
                      u"punti=" + joined(game.scores(), u';'),
                      u"fatti=" + QString::number(game.done())};
    for (const GameStep &step : game.steps())
        lines.append(stepLine(step));
    return TextFile::joinLines(lines);
}

Loaded parse(const QStringList &lines, int teamCount, const QList<int> &markedSlots)
{
    std::optional<int> teams;
    std::optional<QList<int>> scores;
    std::optional<int> done;
    QList<GameStep> steps;
    for (const QString &line : lines) {
        if (line.trimmed().isEmpty())
            continue;
        const qsizetype eq = line.indexOf(u'=');
        const QStringView key = QStringView(line).left(qMax<qsizetype>(eq, 0)).trimmed();
        const QStringView value = QStringView(line).mid(eq + 1);
        if (key == u"squadre") {
            teams = number(value, 0, MaxTeams);
        } else if (key == u"punti") {
            scores = numbers(value, u';', -MaxScore, MaxScore);
        } else if (key == u"fatti") {
            done = number(value, 0, MaxScore);
        } else if (key == u"passo" && teams) {
            const std::optional<GameStep> s = step(value, *teams);
            if (!s)
                return damaged();
            steps.append(*s);
        } else {
            return damaged();
        }
    }
    if (!teams || !scores || !done || scores->size() != *teams || *done > steps.size())
        return damaged();
    if (*teams != teamCount)
        return leftAside(LoadState::OtherTeams,
                         QStringLiteral("Il file Punteggi.sav è di una partita con altre "
                                        "squadre: i suoi punteggi non vengono ripristinati."));
    Loaded loaded;
    loaded.state = LoadState::Restored;
    loaded.game = Game::restored(*scores, markedSlots, steps, *done);
    return loaded;
}

Loaded load(const QString &programFolder, int teamCount, const QList<int> &markedSlots)
{
    const QString path = filePath(programFolder);
    const TextFile::FileProbe probe = TextFile::probe(path);
    if (probe.state == TextFile::FileState::Missing)
        return {};
    if (probe.state != TextFile::FileState::Readable)
        return leftAside(
            LoadState::Unreadable,
            QStringLiteral("Il file Punteggi.sav non può essere letto: %1").arg(probe.reason));
    return parse(TextFile::readLines(path), teamCount, markedSlots);
}

TextFile::WriteResult store(const QString &programFolder, const Game &game)
{
    const bool clean = game.teamCount() == 0 ||
                       (game.done() > 0 && game.steps().at(game.done() - 1).kind == Kind::Reset);
    if (clean) {
        if (!remove(programFolder))
            return {false, QStringLiteral("Il file Punteggi.sav non può essere eliminato")};
        return {true, {}};
    }
    return TextFile::writeText(filePath(programFolder), format(game));
}

bool remove(const QString &programFolder)
{
    return TextFile::removeIfExists(filePath(programFolder));
}

} // namespace ScoresFile
