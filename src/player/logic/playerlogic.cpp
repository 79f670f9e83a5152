#include "player/logic/playerlogic.h"

#include <QScopedValueRollback>

PlayerLogic::PlayerLogic(MediaPlayer &player, QuestionPort &questions, PlayerMemory &memory,
                         Settings &settings, const SoundPorts &ports)
    : skin(model, player, memory), progress(model, player, skin),
      volume(model, player, memory, skin),
      transport(model, player, questions, skin, progress, volume, settings),
      buttons(model, player, skin, transport), panel(model, skin), swap(model, skin),
      computer(model, skin, settings, ports.mixer, ports.mixerApp), cpu(model, ports.cpu),
      keys(*this, player)
{
}

void PlayerLogic::open(const Transport::Opening &opening)
{
    model.WMPSempreVisib = opening.wmpsemprevisib;
    panel.open();
    transport.open(opening);
    swap.open();
}

void PlayerLogic::unload()
{
    transport.unload();
    for (Timer timer : {Timer::Timer7, Timer::Timer8, Timer::Timer9})
        model.setTimer(timer, false);
    cpu.stop();
    computer.unload();
}

void PlayerLogic::stepTitleSpinner()
{
    if (m_spinning || model.unloaded)
        return;
    const QScopedValueRollback busy(m_spinning, true);
    model.setText(Text::Caption, model.caption(spinner.tick(model.TimerIIProtetto)));
    model.letEventsRun();
}
