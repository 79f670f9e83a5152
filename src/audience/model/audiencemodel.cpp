#include "audience/model/audiencemodel.h"

AudienceModel::AudienceModel(QObject *parent) : QObject(parent) {}

void AudienceModel::touch()
{
    emit changed();
}

void AudienceModel::setPicture(const QString &file)
{
    if (file == m_picture)
        return;
    m_picture = file;
    touch();
}

void AudienceModel::setBackground(int colour)
{
    if (colour == m_background)
        return;
    m_background = colour;
    touch();
}

void AudienceModel::setPlayed(int slot, bool played)
{
    if (slot < 0 || slot >= SlotCount || m_played[size_t(slot)] == played)
        return;
    m_played[size_t(slot)] = played;
    touch();
}

bool AudienceModel::isPlayed(int slot) const
{
    return slot >= 0 && slot < SlotCount && m_played[size_t(slot)];
}

void AudienceModel::clearPlayed()
{
    m_played.fill(false);
    touch();
}

void AudienceModel::setTeams(const QList<Team> &teams)
{
    m_teams = teams;
    if (m_booked >= m_teams.size())
        m_booked = -1;
    touch();
}

void AudienceModel::setScores(const QList<int> &scores)
{
    if (scores == m_scores)
        return;
    m_scores = scores;
    touch();
}

int AudienceModel::score(int team) const
{
    return team >= 0 && team < m_scores.size() ? m_scores.at(team) : 0;
}

void AudienceModel::setBooked(int team)
{
    const int booked = team >= 0 && team < m_teams.size() ? team : -1;
    if (booked == m_booked)
        return;
    m_booked = booked;
    touch();
}

void AudienceModel::setRevealed(const QString &text)
{
    if (text == m_revealed)
        return;
    m_revealed = text;
    touch();
}

void AudienceModel::setPhones(const QString &address, const QString &code, const QByteArray &qrPng)
{
    m_address = address;
    m_code = address.isEmpty() ? QString() : code;
    m_qr = address.isEmpty() ? QByteArray() : qrPng;
    touch();
}

QString AudienceModel::numberName(int slot, bool played)
{
    if (slot < 0 || slot >= SlotCount)
        return {};
    const QString name = slotTitle(slot / SlotsPerCategory, slot % SlotsPerCategory);
    return played ? name + u", giocato" : name;
}

QString AudienceModel::scoreName(int team) const
{
    if (team < 0 || team >= m_teams.size())
        return {};
    return QStringLiteral("%1: %2 punti").arg(m_teams.at(team).name).arg(score(team));
}

QString AudienceModel::bookedName() const
{
    return m_booked < 0 ? QString() : QStringLiteral("Prenotata: ") + m_teams.at(m_booked).name;
}
