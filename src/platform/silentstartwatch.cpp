#include "platform/silentstartwatch.h"

#include "platform/mediaplayer.h"

void SilentStartWatch::arm()
{
    m_armed = true;
    m_waitedMs = 0;
}

bool SilentStartWatch::tick(int elapsedMs)
{
    if (!m_armed)
        return false;
    const MediaPlayer::PlayState state = m_player.playState();
    if (state != MediaPlayer::PlayState::Playing &&
        state != MediaPlayer::PlayState::Transitioning) {
        m_armed = false;
        return false;
    }
    if (m_player.currentPosition() > 0 || m_player.duration() > 0) {
        m_armed = false;
        return false;
    }
    m_waitedMs += elapsedMs;
    if (m_waitedMs < GraceMs)
        return false;
    m_armed = false;
    return true;
}
