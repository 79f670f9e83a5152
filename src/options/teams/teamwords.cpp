#include "options/teams/teamwords.h"

namespace TeamWords {

namespace {

// " \"Rossi\"" or " M" when the field is known, nothing for a line of the file.
QString quoted(const QString &name)
{
    return name.isEmpty() ? QString() : QStringLiteral(" \"%1\"").arg(name);
}

QString keyWord(QChar key)
{
    return key.isNull() ? QString() : QStringLiteral(" ") + key;
}

} // namespace

QString problem(TeamProblem problem, const Team &candidate)
{
    switch (problem) {
    case TeamProblem::None:
        return {};
    case TeamProblem::TooMany:
        return QStringLiteral("Non si possono avere più di %1 squadre").arg(MaxTeams);
    case TeamProblem::EmptyName:
        return QStringLiteral("La squadra deve avere un nome");
    case TeamProblem::BadName:
        return QStringLiteral("Il nome della squadra non può contenere a capo o caratteri di "
                              "controllo");
    case TeamProblem::DuplicateName:
        return QStringLiteral("Il nome%1 è già di un'altra squadra")
            .arg(quoted(candidate.name.trimmed()));
    case TeamProblem::BadColour:
        return QStringLiteral("Il colore%1 non è nella forma #RRGGBB")
            .arg(quoted(candidate.colour));
    case TeamProblem::BadKey:
        return QStringLiteral("Il tasto di prenotazione deve essere una lettera o una cifra");
    case TeamProblem::ReservedKey:
        return QStringLiteral("Il tasto%1 è già usato dal tabellone o dalla finestra di "
                              "riproduzione")
            .arg(keyWord(candidate.key));
    case TeamProblem::DuplicateKey:
        return QStringLiteral("Il tasto%1 è già di un'altra squadra").arg(keyWord(candidate.key));
    }
    return {};
}

QString skipped(const TeamsFile::Skipped &line)
{
    QString why;
    switch (line.reason) {
    case TeamsFile::SkipReason::NotATeamLine:
        why = QStringLiteral("non è nella forma N=NOME;#RRGGBB;TASTO");
        break;
    case TeamsFile::SkipReason::RepeatedNumber:
        why = QStringLiteral("il suo numero è già in una riga precedente");
        break;
    case TeamsFile::SkipReason::Team:
        // The line itself follows, so the words need not repeat its name or key.
        why = problem(line.problem, {});
        if (!why.isEmpty())
            why[0] = why.at(0).toLower();
        break;
    }
    return QStringLiteral("Squadre.ini, riga %1 ignorata (%2): %3")
        .arg(line.lineNumber)
        .arg(why, line.text.left(80));
}

} // namespace TeamWords
