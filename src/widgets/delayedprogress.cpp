#include "widgets/delayedprogress.h"

#include "widgets/progressione.h"

DelayedProgress::DelayedProgress(int delayMs, std::function<qint64()> clock)
    : m_delay(delayMs), m_clock(std::move(clock))
{
    if (!m_clock) {
        m_elapsed.start();
        m_clock = [this] { return m_elapsed.elapsed(); };
    }
}

DelayedProgress::~DelayedProgress() = default;

void DelayedProgress::show()
{
    if (!m_shown) {
        m_shown = true;
        m_shownAt = m_clock();
    }
    follow();
}

void DelayedProgress::close()
{
    m_shown = false;
    if (m_window)
        m_window->close();
}

void DelayedProgress::setCaption(const QString &text)
{
    m_caption = text;
    follow();
}

void DelayedProgress::setTitle(const QString &text)
{
    m_title = text;
    follow();
}

void DelayedProgress::setMaximum(int maximum)
{
    m_maximum = qMax(0, maximum);
    m_value = qBound(0, m_value, m_maximum);
    follow();
}

void DelayedProgress::setValue(int value)
{
    m_value = qBound(0, value, m_maximum);
    follow();
}

void DelayedProgress::follow()
{
    const bool due = m_shown && m_clock() - m_shownAt >= m_delay;
    if (!m_window && !due)
        return;
    if (!m_window)
        m_window = std::make_unique<Progressione>();
    m_window->setTitle(m_title);
    m_window->setCaption(m_caption);
    m_window->setMaximum(m_maximum);
    m_window->setValue(m_value);
    if (due && !m_window->isVisible())
        m_window->show();
}
