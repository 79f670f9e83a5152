#pragma once

#include "core/snippet.h"

class MediaPlayer;
class PlayerModel;

// The part of the song the slot plays: where playback starts, the range the bar marks and the
// moment playback runs across the end point. Only the start of the song and the crossing are
// the snippet's: a place the presenter chooses on the bar or with the keys plays from there,
// and a seek past the end point does not fade. A start after the song's first moment opens
// with a short fade-in (TmrEntrata), so the jump into the middle of a wave is not heard.
class SnippetPlay {
public:
    static constexpr int FadeInMs = 40;

    SnippetPlay(PlayerModel &model, MediaPlayer &player);

    void open(const Snippet &snippet);
    // The song is back at its beginning (opening, the end, a stop, a repeat): the next play
    // starts at the start point unless the presenter has placed the song before it.
    void rewind(int presenterMoves);
    // Just before play(): a start at the start point goes there silently.
    void beforePlay(int presenterMoves);
    // Playback began with the bar at barSeconds: the second it goes on from.
    double playingFrom(int presenterMoves, double barSeconds);
    // One step of TmrEntrata.
    void fadeInTick(int intervalMs);
    // On each Timer1 tick while playing: true when playback has just run across the end point.
    [[nodiscard]] bool crossedEnd();
    // The bar's marked range after the song's length, once it is known.
    void showRange();

private:
    Snippet held() const;
    bool startsAtPoint(int presenterMoves) const;
    void endFadeIn();

    PlayerModel &m_model;
    MediaPlayer &m_player;
    Snippet m_snippet;
    bool m_fromStart = true;
    int m_movesAtRewind = 0;
    // The level the fade-in rises to, -1 while none runs; the level reached.
    int m_fadeTarget = -1;
    double m_fadeLevel = 0;
    double m_lastPosition = -1;
};
