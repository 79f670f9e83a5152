#pragma once

struct PlayerControls;
class QWidget;

// Builds the strip under the video area: the progress bar with its knob, the time and
// "Avanzamento" captions, the mini transport and the skinned player-volume slider.
class StripBuilder {
public:
    explicit StripBuilder(PlayerControls &controls) : m_c(controls) {}

    void build(QWidget *window);

private:
    void buildProgress();
    void buildVolumeSlider();

    PlayerControls &m_c;
};
