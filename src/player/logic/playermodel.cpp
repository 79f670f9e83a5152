#include "player/logic/playermodel.h"

#include "core/events.h"

void PlayerModel::setPicture(Image image, const QString &name)
{
    m_pictures.at(size_t(image)) = name;
    if (m_view)
        m_view->pictureChanged(image);
}

void PlayerModel::setText(Text text, const QString &value)
{
    m_texts.at(size_t(text)) = value;
    if (text == Text::Info0 || text == Text::Info1)
        ++m_infoWrites;
    if (m_view)
        m_view->textChanged(text);
}

void PlayerModel::setTimer(Timer timer, bool on)
{
    m_timers.at(size_t(timer)) = on;
    if (m_view)
        m_view->timerChanged(timer);
}

void PlayerModel::setProgressValue(double value)
{
    m_progress.value = value;
    if (m_view)
        m_view->progressChanged();
}

void PlayerModel::setKnobLeft(double left)
{
    m_progress.knobLeft = left;
    if (m_view)
        m_view->progressChanged();
}

void PlayerModel::setMiniWidth(double width)
{
    m_progress.miniWidth = width;
    if (m_view)
        m_view->progressChanged();
}

void PlayerModel::setProgressEnabled(bool enabled)
{
    m_progress.enabled = enabled;
    if (m_view)
        m_view->progressChanged();
}

void PlayerModel::setProgressRange(double from, double to)
{
    if (m_progress.rangeFrom == from && m_progress.rangeTo == to)
        return;
    m_progress.rangeFrom = from;
    m_progress.rangeTo = to;
    if (m_view)
        m_view->progressChanged();
}

void PlayerModel::panelUpdated()
{
    if (m_view)
        m_view->panelChanged();
}

void PlayerModel::volumeUpdated()
{
    if (m_view)
        m_view->volumeChanged();
}

QString PlayerModel::caption(const QString &tail) const
{
    return QStringLiteral("Riproduzione  ") + Tipo + QStringLiteral("  ") + tail;
}

void PlayerModel::letEventsRun()
{
    if (m_view)
        m_view->letEventsRun();
    else
        ::letEventsRun();
}

bool isPlaying(MediaPlayer::PlayState playState)
{
    using State = MediaPlayer::PlayState;
    return playState == State::Playing || playState == State::ScanForward ||
           playState == State::ScanReverse;
}
