#pragma once

#include "player/logic/panel/cpumeter.h"
#include "player/logic/panel/panelslide.h"
#include "player/logic/playerkeys.h"
#include "player/logic/playermodel.h"
#include "player/logic/position/songposition.h"
#include "player/logic/skin/skinbuttons.h"
#include "player/logic/sound/computervolume.h"
#include "player/logic/sound/playervolume.h"
#include "player/logic/sound/soundports.h"
#include "player/logic/sound/volumeswap.h"
#include "player/logic/transport/titlespinner.h"
#include "player/logic/transport/transport.h"
#include "player/logic/transport/transportbuttons.h"

class MediaPlayer;
class QuestionPort;
class Settings;
struct PlayerMemory;

// Everything the playback window decides, without a widget: the window is a view over it.
// Tests drive it with a fake player and step its timers by hand.
class PlayerLogic {
public:
    PlayerLogic(MediaPlayer &player, QuestionPort &questions, PlayerMemory &memory,
                Settings &settings, const SoundPorts &ports);

    // The logic's part of the window's opening after the mixer and the CPU meter, in the
    // window's order: panel, transport with the player's volume and mute, the sliders' places.
    void open(const Transport::Opening &opening);
    // The logic's part of closing: the song stops, no timer runs again, the computer volume
    // goes to the settings and the mixer and the CPU meter are let go.
    void unload();
    // One step of the title's spinner, on each tick of Timer1.
    void stepTitleSpinner();

    PlayerModel model;
    SkinButtons skin;
    SongPosition progress;
    PlayerVolume volume;
    Transport transport;
    TransportButtons buttons;
    PanelSlide panel;
    TitleSpinner spinner;
    VolumeSwap swap;
    ComputerVolume computer;
    CpuMeter cpu;
    PlayerKeys keys;

private:
    bool m_spinning = false;
};
