#pragma once

#include "panelslide.h"
#include "playermodel.h"
#include "progress.h"
#include "skinbuttons.h"
#include "titlespinner.h"
#include "transport.h"

class MediaPlayer;
class QuestionPort;
struct PlayerMemory;

// Everything the playback window decides, without a widget: the window is a view over it.
// Tests drive it with a fake player and step its timers by hand.
class PlayerLogic {
public:
    PlayerLogic(MediaPlayer &player, QuestionPort &questions, PlayerMemory &memory);

    // The logic's part of the window's opening, in the window's order.
    void open(const Transport::Opening &opening);
    // Timer1: the title spinner's step.
    void timer1();

    PlayerModel model;
    SkinButtons skin;
    Progress progress;
    Transport transport;
    PanelSlide panel;
    TitleSpinner spinner;

private:
    bool m_inTimer1 = false;
};
