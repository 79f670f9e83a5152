#pragma once

#include <QObject>

#include <functional>

// The end of the run asked for by the system (a termination signal), which may come while any
// box or window is up in an exec() of its own: a message box, the file dialog, the cleanup
// window, a cell's menu, the playback window, often owned by a window the end deletes. The end
// never runs inside one of them. A request closes the popups and modal windows (a box answers
// as its escape button, a dialog is rejected), asks every running event loop to return, and
// run() ends the run once the application's own loop has returned, with nothing left open
// above it.
class ShutdownSequence : public QObject {
    Q_OBJECT
public:
    explicit ShutdownSequence(std::function<void()> end, QObject *parent = nullptr);

    void request();
    bool requested() const { return m_requested; }

    // The application's event loop, then the end if it was asked for; the exit status.
    int run();

private:
    std::function<void()> m_end;
    bool m_requested = false;
};
