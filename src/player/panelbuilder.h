#pragma once

class PlayerLogic;
struct PlayerControls;
class QWidget;

// Builds the control panel that slides in from below the video area: its grip, the transport,
// the info line, both volume sliders, the speed, the CPU meter, the mixer and close buttons,
// the mini progress indicator and the time fields. The plain sliders report to the logic.
class PanelBuilder {
public:
    PanelBuilder(PlayerControls &controls, PlayerLogic &logic) : m_c(controls), m_logic(logic) {}

    void build(QWidget *window);

private:
    void buildTransport();
    void buildInfo();
    void buildVolumeSliders();
    void buildSpeedAndMeter();
    void buildMiniProgress();
    void buildTimeFields();

    PlayerControls &m_c;
    PlayerLogic &m_logic;
};
