#pragma once

#include "core/ports.h"

#include <QElapsedTimer>
#include <QString>

#include <functional>
#include <memory>

class Progressione;

// The progress window for work that is usually quick, such as the reload when the options
// window opens: it follows every call like the window would, but the window itself appears
// only once the work has lasted delayMs since show(). A reload of a few milliseconds then shows
// nothing instead of a window that flashes up and goes; a slow one (a large folder, a slow
// disk) still shows its stage and bar.
class DelayedProgress : public ProgressPort {
public:
    // clock gives milliseconds; the default is a monotonic clock.
    explicit DelayedProgress(int delayMs = 400, std::function<qint64()> clock = {});
    ~DelayedProgress() override;

    bool isVisible() const override { return m_shown; }
    void show() override;
    void close() override;
    void setCaption(const QString &text) override;
    void setTitle(const QString &text) override;
    void setMaximum(int maximum) override;
    int maximum() const override { return m_maximum; }
    void setValue(int value) override;
    int value() const override { return m_value; }

    // From now on the window appears after ms (0: at once, as the plain window does).
    void setDelay(int ms) { m_delay = ms; }
    // The real window, once it has appeared; null before.
    Progressione *window() const { return m_window.get(); }

private:
    // Shows the real window when the work has lasted long enough, and keeps it up to date.
    void follow();

    int m_delay;
    std::function<qint64()> m_clock;
    QElapsedTimer m_elapsed;
    qint64 m_shownAt = 0;
    bool m_shown = false;
    QString m_caption;
    QString m_title = QStringLiteral("Progressione");
    int m_maximum = 100;
    int m_value = 0;
    std::unique_ptr<Progressione> m_window;
};
