#include "board/titlebarcontrol.h"

#include "board/boardlayout.h"
#include "board/titlebar.h"
#include "core/events.h"
#include "widgets/twips.h"

#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace {

// The pointer within this many twips of the top edge calls the bar in.
constexpr double TopEdge = 10;

QTimer *barTimer(const QString &name, QObject *parent)
{
    auto *timer = new QTimer(parent);
    timer->setObjectName(name);
    timer->setInterval(10);
    return timer;
}

// Turns an animation timer on. Starting a running QTimer restarts its interval, so a pointer
// moving faster than the interval would keep the timer from ever firing: leave it running.
void enableTimer(QTimer *timer)
{
    if (!timer->isActive())
        timer->start();
}

} // namespace

TitleBarControl::TitleBarControl(QWidget &window)
    : QObject(&window), m_window(window), m_titleBar(new TitleBar(&window)),
      m_timer2(barTimer(QStringLiteral("Timer2"), &window)),
      m_timer3(barTimer(QStringLiteral("Timer3"), &window))
{
    connect(m_timer2, &QTimer::timeout, this, &TitleBarControl::onTimer2);
    connect(m_timer3, &QTimer::timeout, this, &TitleBarControl::onTimer3);
    connect(m_titleBar->Minimizza, &QPushButton::clicked, this, &TitleBarControl::minimise);
    connect(m_titleBar->Normalizza, &QPushButton::clicked, this, [this] {
        normalise();
        AllargaBarra();
    });
    connect(m_titleBar->Massimizza, &QPushButton::clicked, this, [this] {
        m_bar.InRestringimento = true;
        maximise();
        RestringiBarra();
    });
    connect(m_titleBar, &TitleBar::pressed, this, &TitleBarControl::onBarPressed);
    connect(m_titleBar, &TitleBar::dragged, this, &TitleBarControl::onBarDragged);
}

void TitleBarControl::load()
{
    m_drag.setOrigin(positionTwips().x(), positionTwips().y());
    m_bar.bar.visible = false;
    m_bar.bar.height = 350;
    m_bar.bar.top = -350;
    m_titleBar->apply(m_bar.bar);
}

void TitleBarControl::centre(double left)
{
    m_bar.bar.left = left;
    m_titleBar->apply(m_bar.bar);
}

void TitleBarControl::stop()
{
    m_timer2->stop();
    m_timer3->stop();
}

void TitleBarControl::minimise()
{
    m_window.showMinimized();
}

void TitleBarControl::normalise()
{
    m_mode = Mode::Normal;
    m_window.setWindowState(Qt::WindowNoState);
    m_window.setGeometry(designedWindowPixels());
    m_window.show();
}

// Window managers differ in how they maximise a frameless window, so the board takes the
// whole available screen itself.
void TitleBarControl::maximise()
{
    m_mode = Mode::Maximised;
    if (QScreen *where = m_window.screen())
        m_window.setGeometry(where->availableGeometry());
    m_window.setWindowState(Qt::WindowMaximized);
    m_window.show();
}

void TitleBarControl::MostraBarra()
{
    m_bar.startSlideIn();
    m_titleBar->apply(m_bar.bar);
    enableTimer(m_timer2);
}

void TitleBarControl::NascondiBarra()
{
    m_bar.startSlideOut();
    enableTimer(m_timer2);
}

void TitleBarControl::AllargaBarra()
{
    m_bar.startWiden();
    enableTimer(m_timer2);
}

void TitleBarControl::RestringiBarra()
{
    m_bar.startNarrow();
    enableTimer(m_timer2);
}

void TitleBarControl::pointerAt(double yTwips)
{
    if (yTwips < TopEdge) {
        if (!m_timer2->isActive())
            MostraBarra();
        return;
    }
    // A slide-in runs to its end before pointer movement may send the bar away again.
    const bool slidingIn =
        m_timer2->isActive() && m_bar.Funzionetimer == TitleBarAnimation::SlideIn;
    if (m_mode == Mode::Maximised && !m_window.isMinimized() && !m_bar.InRestringimento &&
        !slidingIn)
        NascondiBarra();
}

void TitleBarControl::onTimer2()
{
    // Letting events run below may deliver this timer's next tick; one step at a time.
    if (m_inTimer2)
        return;
    m_inTimer2 = true;
    const bool yield = m_bar.tick();
    m_titleBar->apply(m_bar.bar);
    if (!m_bar.timerOn)
        m_timer2->stop();
    if (yield)
        letEventsRun();
    m_inTimer2 = false;
}

void TitleBarControl::onBarPressed(QPointF offset)
{
    const QPointF window = positionTwips();
    m_drag.press(offset.x(), offset.y(), window.x(), window.y());
}

void TitleBarControl::onBarDragged(QPointF offset, Qt::MouseButtons buttons)
{
    if (buttons != Qt::LeftButton)
        return;
    const QPointF window = positionTwips();
    m_drag.move(offset.x(), offset.y(), window.x(), window.y());
    enableTimer(m_timer3);
}

void TitleBarControl::onTimer3()
{
    m_timer3->stop();
    if (m_mode != Mode::Normal || m_window.isMinimized())
        return;
    m_window.move(Twips::toPixels(m_drag.targetLeft()), Twips::toPixels(m_drag.targetTop()));
    letEventsRun();
}

QRect TitleBarControl::designedWindowPixels()
{
    const BoardLayout::Box &box = BoardLayout::DesignedWindow;
    return Twips::toPixels(box.left, box.top, box.width, box.height);
}

QPointF TitleBarControl::positionTwips() const
{
    return {Twips::fromPixels(m_window.x()), Twips::fromPixels(m_window.y())};
}
