#pragma once

#include "player/logic/playermodel.h"

#include <array>
#include <functional>

class PlayerLogic;
class QObject;
class QTimer;

// The playback window's timers at their designed intervals, each tick handed to the logic; the
// logic decides which of them run.
class PlayerTimers {
public:
    // Timers owned by owner; progressTicked runs after each tick of the progress timer.
    PlayerTimers(QObject *owner, PlayerLogic &logic, std::function<void()> progressTicked);

    // Starts or stops which; enabling a running timer leaves its count alone.
    void apply(Timer which, bool on);

private:
    QTimer *timer(Timer which) const { return m_timers.at(size_t(which)); }
    void connectTicks();

    PlayerLogic &m_logic;
    std::function<void()> m_progressTicked;
    std::array<QTimer *, size_t(Timer::Count)> m_timers{};
};
