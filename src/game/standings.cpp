#include "game/standings.h"

#include "core/casefind.h"
#include "core/unreadfiles.h"
#include "game/scoresfile.h"

#include <algorithm>
#include <numeric>

namespace Standings {

namespace {

QString filePath(const QString &programFolder)
{
    return CaseFind::resolve(programFolder, QStringLiteral("Classifiche.txt"));
}

} // namespace

QString block(const QList<Team> &teams, const QList<int> &scores, const QDateTime &when)
{
    const qsizetype count = qMin(teams.size(), scores.size());
    QList<qsizetype> order(count);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](qsizetype a, qsizetype b) { return scores.at(a) > scores.at(b); });
    QString text = u"Partita del " + when.toString(QStringLiteral("dd/MM/yyyy")) + u" alle " +
                   when.toString(QStringLiteral("HH:mm")) + u"\r\n";
    qsizetype place = 0;
    for (qsizetype i = 0; i < count; ++i) {
        const qsizetype team = order.at(i);
        if (i == 0 || scores.at(team) != scores.at(order.at(i - 1)))
            place = i + 1;
        const int score = scores.at(team);
        text += QString::number(place) + u". " + teams.at(team).name + u": " +
                QString::number(score) + (qAbs(score) == 1 ? u" punto" : u" punti") + u"\r\n";
    }
    return text + u"\r\n";
}

TextFile::WriteResult append(const QString &programFolder, const QString &block)
{
    const QString path = filePath(programFolder);
    const TextFile::FileState state = TextFile::probe(path).state;
    if (state == TextFile::FileState::Unreadable || state == TextFile::FileState::TooLarge)
        return {false, UnreadFiles::refusal(path)};
    QString text = TextFile::readText(path);
    // A file edited by hand may lack its last line end; the new game still starts a line.
    if (!text.isEmpty() && !text.endsWith(u'\n') && !text.endsWith(u'\r'))
        text += u"\r\n";
    return TextFile::writeText(path, text + block);
}

TextFile::WriteResult finish(const QString &programFolder, const QList<Team> &teams,
                             const Game &game, const QDateTime &when)
{
    if (game.hasScores()) {
        TextFile::WriteResult written = append(programFolder, block(teams, game.scores(), when));
        if (!written.ok)
            return written;
    }
    if (!ScoresFile::remove(programFolder))
        return {false, QStringLiteral("Il file Punteggi.sav non può essere eliminato")};
    return {true, {}};
}

} // namespace Standings
