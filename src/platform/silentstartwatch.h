#pragma once

class MediaPlayer;

// Watches a player after a play request. A back end can open a file, take the request and then
// give neither sound nor a length (a MIDI file without a synthesizer that works, a stream it
// misreads): the window would stand there "playing" in silence. Armed by the play request, the
// watch calls the start silent once the grace period has passed with the player still meaning
// to play, its position at the start and its length unknown. Pausing or stopping disarms it;
// a position that moves or a length that arrives ends the watch for this request.
class SilentStartWatch {
public:
    static constexpr int GraceMs = 5000;

    explicit SilentStartWatch(const MediaPlayer &player) : m_player(player) {}

    void arm();
    void disarm() { m_armed = false; }
    bool isArmed() const { return m_armed; }
    // elapsedMs has passed since the last tick (or the arming). True once per request: the
    // start is silent.
    [[nodiscard]] bool tick(int elapsedMs);

private:
    const MediaPlayer &m_player;
    bool m_armed = false;
    int m_waitedMs = 0;
};
