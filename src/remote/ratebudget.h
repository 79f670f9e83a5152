#pragma once

#include <QtGlobal>

// How many messages one phone may send: a burst of `burst` at once, then `perSecond` a second.
// A message past the budget is dropped unread, so a phone that floods the server costs it
// almost nothing and never holds up another phone's press.
class RateBudget {
public:
    RateBudget(int burst, int perSecond) : m_burst(burst), m_perSecond(perSecond), m_left(burst) {}

    // True when a message arriving at nowMs (a steady clock) is within the budget.
    bool take(qint64 nowMs)
    {
        if (m_last < 0)
            m_last = nowMs;
        const qint64 earned = (nowMs - m_last) * m_perSecond / 1000;
        if (earned > 0) {
            m_left = qMin<qint64>(m_burst, m_left + earned);
            // Only the time the earned messages stand for is spent; the rest counts next time.
            m_last += earned * 1000 / m_perSecond;
        }
        if (m_left <= 0)
            return false;
        --m_left;
        return true;
    }

private:
    int m_burst;
    int m_perSecond;
    qint64 m_left;
    qint64 m_last = -1;
};
