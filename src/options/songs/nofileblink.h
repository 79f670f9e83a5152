#pragma once

// The blink of the songs tab's warning lblNoFile while some slot has no playable song (the song
// check list file exists): shown 2 s, hidden 1 s, the first showing lasting 1 s. The window
// mirrors running() and intervalMs() onto Timer1 and visible() onto the label.
class NoFileBlink {
public:
    static constexpr int FirstMs = 1000;
    static constexpr int ShownMs = 2000;
    static constexpr int HiddenMs = 1000;

    // Whether the warning is wanted; a change starts or ends the blink.
    void setWanted(bool wanted);
    // One tick of Timer1.
    void Timer1_Timer();

    bool running() const { return m_running; }
    bool visible() const { return m_visible; }
    int intervalMs() const { return m_interval; }

private:
    bool m_running = false;
    bool m_visible = false;
    int m_interval = FirstMs;
};
