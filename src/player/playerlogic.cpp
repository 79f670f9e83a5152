#include "playerlogic.h"

#include <QScopedValueRollback>

PlayerLogic::PlayerLogic(MediaPlayer &player, QuestionPort &questions, PlayerMemory &memory)
    : skin(model, player, memory), progress(model, player, skin),
      transport(model, player, questions, skin, progress), panel(model, skin)
{
}

void PlayerLogic::open(const Transport::Opening &opening)
{
    model.WMPSempreVisib = opening.wmpsemprevisib;
    panel.open();
    transport.open(opening);
}

void PlayerLogic::timer1()
{
    if (m_inTimer1 || model.unloaded)
        return;
    const QScopedValueRollback busy(m_inTimer1, true);
    model.setText(Text::Caption, spinner.tick(model.Tipo, model.TimerIIProtetto));
    model.letEventsRun();
}
