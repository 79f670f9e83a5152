#include "remote/phonemessages.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace PhoneMessages {

namespace {

QString compact(const QJsonObject &object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

QJsonObject songObject(const Song &song)
{
    static const char *const states[] = {"closed", "open", "booked"};
    QJsonArray locked;
    for (int team : song.lockedTeams)
        locked.append(team);
    return {{QStringLiteral("type"), QStringLiteral("song")},
            {QStringLiteral("state"), QLatin1String(states[int(song.state)])},
            {QStringLiteral("team"), song.state == SongState::Booked ? song.team : -1},
            {QStringLiteral("locked"), locked}};
}

} // namespace

Incoming parse(const QString &text)
{
    Incoming in;
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8());
    if (!document.isObject())
        return in;
    const QJsonObject object = document.object();
    const QString type = object.value(QStringLiteral("type")).toString();
    if (type == QStringLiteral("join")) {
        const QJsonValue code = object.value(QStringLiteral("code"));
        const QJsonValue token = object.value(QStringLiteral("token"));
        if (!code.isString() && !token.isString())
            return in;
        in.code = code.toString();
        in.token = token.toString();
        in.kind = Incoming::Kind::Join;
    } else if (type == QStringLiteral("team")) {
        const QJsonValue team = object.value(QStringLiteral("team"));
        if (!team.isDouble() || team.toDouble() != double(team.toInt(-1)))
            return in;
        in.team = team.toInt();
        in.kind = Incoming::Kind::Team;
    } else if (type == QStringLiteral("press")) {
        in.kind = Incoming::Kind::Press;
    }
    return in;
}

QString welcome(const QString &token, const QList<Team> &teams, int team, const Song &song)
{
    QJsonArray list;
    for (const Team &t : teams)
        list.append(
            QJsonObject{{QStringLiteral("name"), t.name}, {QStringLiteral("colour"), t.colour}});
    return compact({{QStringLiteral("type"), QStringLiteral("welcome")},
                    {QStringLiteral("token"), token},
                    {QStringLiteral("teams"), list},
                    {QStringLiteral("team"), team},
                    {QStringLiteral("song"), songObject(song)}});
}

QString refused(const QString &reason)
{
    return compact(
        {{QStringLiteral("type"), QStringLiteral("refused")}, {QStringLiteral("reason"), reason}});
}

QString teamTaken(int team)
{
    return compact(
        {{QStringLiteral("type"), QStringLiteral("team")}, {QStringLiteral("team"), team}});
}

QString outcome(Outcome outcome)
{
    static const char *const names[] = {"booked", "late", "locked", "nosong"};
    return compact({{QStringLiteral("type"), QStringLiteral("press")},
                    {QStringLiteral("result"), QLatin1String(names[int(outcome)])}});
}

QString song(const Song &song)
{
    return compact(songObject(song));
}

} // namespace PhoneMessages
