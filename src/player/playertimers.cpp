#include "player/playertimers.h"

#include "player/logic/playerlogic.h"

#include <QTimer>

PlayerTimers::PlayerTimers(QObject *owner, PlayerLogic &logic, std::function<void()> progressTicked)
    : m_logic(logic), m_progressTicked(std::move(progressTicked))
{
    struct Design {
        Timer timer;
        const char *name;
        int interval;
    };
    const Design designs[] = {
        {Timer::Timer1, "Timer1", 100},        {Timer::Timer2, "Timer2", 1000},
        {Timer::Timer4, "Timer4", 10},         {Timer::Timer5, "Timer5", 10},
        {Timer::Timer6, "Timer6", 500},        {Timer::Timer7, "Timer7", 20},
        {Timer::Timer8, "Timer8", 20},         {Timer::Timer9, "Timer9", 20},
        {Timer::TmrStop, "tmrStop", 50},       {Timer::TmrRefresh, "tmrRefresh", 1000},
        {Timer::TmrEntrata, "tmrEntrata", 10},
    };
    for (const Design &d : designs) {
        auto *t = new QTimer(owner);
        t->setObjectName(QString::fromLatin1(d.name));
        t->setInterval(d.interval);
        m_timers.at(size_t(d.timer)) = t;
    }
    connectTicks();
}

void PlayerTimers::apply(Timer which, bool on)
{
    QTimer *t = timer(which);
    if (on && !t->isActive())
        t->start();
    else if (!on)
        t->stop();
}

void PlayerTimers::connectTicks()
{
    PlayerLogic &logic = m_logic;
    auto onTick = [this](Timer which, std::function<void()> handler) {
        QObject::connect(timer(which), &QTimer::timeout, timer(which), std::move(handler));
    };
    onTick(Timer::Timer1, [&logic] {
        logic.stepTitleSpinner();
        logic.transport.snippetTick();
    });
    onTick(Timer::Timer2, [this, &logic] {
        logic.progress.tick();
        if (m_progressTicked)
            m_progressTicked();
    });
    onTick(Timer::Timer4, [&logic] { logic.progress.timer4Tick(); });
    onTick(Timer::Timer5, [&logic] { logic.panel.tick(); });
    onTick(Timer::Timer6, [&logic] { logic.transport.timer6(); });
    onTick(Timer::Timer7, [&logic] { logic.volume.timer7Tick(); });
    onTick(Timer::Timer8, [&logic] { logic.swap.timer8Tick(); });
    onTick(Timer::Timer9, [&logic] { logic.swap.timer9Tick(); });
    // The fade's step follows the timer's interval, whatever it is set to.
    QTimer *fade = timer(Timer::TmrStop);
    onTick(Timer::TmrStop, [&logic, fade] { logic.transport.tmrStop(fade->interval()); });
    onTick(Timer::TmrRefresh, [&logic] { logic.cpu.refresh(); });
    QTimer *fadeIn = timer(Timer::TmrEntrata);
    onTick(Timer::TmrEntrata,
           [&logic, fadeIn] { logic.transport.snippet.fadeInTick(fadeIn->interval()); });
}
