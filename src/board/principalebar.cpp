// The board's title bar: window modes, the slide and width animations, the drag.
#include "board/principale.h"

#include "board/titlebar.h"
#include "core/events.h"
#include "widgets/twips.h"

#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace {

// The pointer within this many twips of the top edge calls the bar in.
constexpr double TopEdge = 10;

// Turns an animation timer on. Starting a running QTimer restarts its interval, so a pointer
// moving faster than the interval would keep the timer from ever firing: leave it running.
void enableTimer(QTimer *timer)
{
    if (!timer->isActive())
        timer->start();
}

} // namespace

void Principale::connectTitleBar()
{
    connect(m_titleBar->Minimizza, &QPushButton::clicked, this, &Principale::minimise);
    connect(m_titleBar->Normalizza, &QPushButton::clicked, this, [this] {
        normalise();
        AllargaBarra();
    });
    connect(m_titleBar->Massimizza, &QPushButton::clicked, this, [this] {
        m_bar.InRestringimento = true;
        maximise();
        RestringiBarra();
    });
    connect(m_titleBar, &TitleBar::pressed, this, &Principale::onBarPressed);
    connect(m_titleBar, &TitleBar::dragged, this, &Principale::onBarDragged);
}

void Principale::minimise()
{
    showMinimized();
}

void Principale::normalise()
{
    m_mode = Mode::Normal;
    setWindowState(Qt::WindowNoState);
    setGeometry(designedWindowPixels());
    show();
}

// Window managers differ in how they maximise a frameless window, so the board takes the
// whole available screen itself.
void Principale::maximise()
{
    m_mode = Mode::Maximised;
    if (QScreen *where = screen())
        setGeometry(where->availableGeometry());
    setWindowState(Qt::WindowMaximized);
    show();
}

void Principale::MostraBarra()
{
    m_bar.mostraBarra();
    m_titleBar->apply(m_bar.bar);
    enableTimer(m_timer2);
}

void Principale::NascondiBarra()
{
    m_bar.nascondiBarra();
    enableTimer(m_timer2);
}

void Principale::AllargaBarra()
{
    m_bar.allargaBarra();
    enableTimer(m_timer2);
}

void Principale::RestringiBarra()
{
    m_bar.restringiBarra();
    enableTimer(m_timer2);
}

void Principale::titleBarRule(double yTwips)
{
    if (yTwips < TopEdge) {
        if (!m_timer2->isActive())
            MostraBarra();
        return;
    }
    // A slide-in runs to its end before pointer movement may send the bar away again.
    const bool slidingIn =
        m_timer2->isActive() && m_bar.Funzionetimer == TitleBarAnimation::SlideIn;
    if (m_mode == Mode::Maximised && !isMinimized() && !m_bar.InRestringimento && !slidingIn)
        NascondiBarra();
}

void Principale::onTimer2()
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

void Principale::onBarPressed(QPointF offset)
{
    const QPointF window = positionTwips();
    m_drag.press(offset.x(), offset.y(), window.x(), window.y());
}

void Principale::onBarDragged(QPointF offset, Qt::MouseButtons buttons)
{
    if (buttons != Qt::LeftButton)
        return;
    const QPointF window = positionTwips();
    m_drag.move(offset.x(), offset.y(), window.x(), window.y());
    enableTimer(m_timer3);
}

void Principale::onTimer3()
{
    m_timer3->stop();
    if (m_mode != Mode::Normal || isMinimized())
        return;
    move(Twips::toPixels(m_drag.targetLeft()), Twips::toPixels(m_drag.targetTop()));
    letEventsRun();
}
