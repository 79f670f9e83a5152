#include "audience/model/songreveal.h"

#include "audience/model/audiencemodel.h"

SongReveal::SongReveal(AudienceModel &model) : m_model(model) {}

int SongReveal::songStarted()
{
    ++m_ticket;
    m_title.clear();
    m_titleKnown = false;
    m_revealAsked = false;
    m_model.setRevealed(QString());
    return m_ticket;
}

void SongReveal::titleRead(int ticket, const QString &text)
{
    if (ticket != m_ticket || m_ticket == 0)
        return;
    m_title = text;
    m_titleKnown = true;
    show();
}

void SongReveal::reveal()
{
    if (m_ticket == 0)
        return;
    m_revealAsked = true;
    show();
}

void SongReveal::show()
{
    if (m_revealAsked && m_titleKnown)
        m_model.setRevealed(m_title);
}
