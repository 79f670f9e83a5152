#include "player/logic/transport/snippetplay.h"

#include "platform/mediaplayer.h"
#include "player/logic/playermodel.h"

#include <QtGlobal>

#include <cmath>
#include <utility>

namespace {
// Playback advances by a fraction of this between two Timer1 ticks at any speed; a larger
// step is a seek.
constexpr double LongestStep = 1.0;
} // namespace

SnippetPlay::SnippetPlay(PlayerModel &model, MediaPlayer &player) : m_model(model), m_player(player)
{
}

void SnippetPlay::open(const Snippet &snippet)
{
    m_snippet = snippet;
    m_model.setProgressRange(0, 0);
}

Snippet SnippetPlay::held() const
{
    return m_snippet.within(qint64(std::llround(m_player.duration() * 1000)));
}

bool SnippetPlay::startsAtPoint(int presenterMoves) const
{
    return m_fromStart && presenterMoves == m_movesAtRewind && held().start > 0;
}

void SnippetPlay::rewind(int presenterMoves)
{
    m_fromStart = true;
    m_movesAtRewind = presenterMoves;
    m_lastPosition = -1;
    // A play that never began leaves no silenced player behind.
    if (m_fadeTarget >= 0)
        endFadeIn();
}

void SnippetPlay::beforePlay(int presenterMoves)
{
    if (!startsAtPoint(presenterMoves))
        return;
    if (m_fadeTarget < 0)
        m_fadeTarget = m_player.volume();
    m_fadeLevel = 0;
    m_player.setVolume(0);
    m_player.setCurrentPosition(double(held().start) / 1000);
}

double SnippetPlay::playingFrom(int presenterMoves, double barSeconds)
{
    m_lastPosition = -1;
    const bool atPoint = startsAtPoint(presenterMoves);
    m_fromStart = false;
    showRange();
    if (!atPoint) {
        if (m_fadeTarget >= 0)
            endFadeIn();
        return barSeconds;
    }
    if (m_fadeTarget < 0) {
        m_fadeTarget = m_player.volume();
        m_fadeLevel = 0;
        m_player.setVolume(0);
    }
    m_model.setTimer(Timer::TmrEntrata, true);
    return double(held().start) / 1000;
}

void SnippetPlay::fadeInTick(int intervalMs)
{
    if (m_fadeTarget < 0) {
        m_model.setTimer(Timer::TmrEntrata, false);
        return;
    }
    m_fadeLevel += double(m_fadeTarget) * qMax(1, intervalMs) / FadeInMs;
    if (m_fadeLevel >= m_fadeTarget)
        endFadeIn();
    else
        m_player.setVolume(int(m_fadeLevel));
}

void SnippetPlay::endFadeIn()
{
    m_player.setVolume(std::exchange(m_fadeTarget, -1));
    m_model.setTimer(Timer::TmrEntrata, false);
}

bool SnippetPlay::crossedEnd()
{
    const double now = m_player.currentPosition();
    const double last = std::exchange(m_lastPosition, now);
    const qint64 end = held().end;
    if (end == 0 || last < 0)
        return false;
    const double endSeconds = double(end) / 1000;
    return last < endSeconds && now >= endSeconds && now - last < LongestStep;
}

void SnippetPlay::showRange()
{
    const double duration = m_player.duration();
    const Snippet range = held();
    if (duration <= 0 || !range.isSet()) {
        m_model.setProgressRange(0, 0);
        return;
    }
    const double to = range.end > 0 ? double(range.end) / 1000 : duration;
    m_model.setProgressRange(double(range.start) / 10 / duration, to * 100 / duration);
}
