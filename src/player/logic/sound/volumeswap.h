#pragma once

class PlayerModel;
class SkinButtons;

// The two standard volume sliders share one place: the computer's VolPrinc and the player's
// volume slide past each other (Timer8, 20 ms), fast at first and slowing to 20 twips a tick,
// while their caption lblVolume rises out of sight, changes and sinks back (Timer9, 20 ms).
// Positions are twips: the sliders in Picture2, the caption on the panel.
class VolumeSwap {
public:
    // The slider shown in Picture2.
    enum class Shown { Computer, Player };

    VolumeSwap(PlayerModel &model, SkinButtons &skin);

    // Which slider is shown, or while they slide, which one is leaving.
    Shown Timer8Tag = Shown::Computer;

    // The opening: the computer's slider shown, the player's waiting to its right.
    void open();
    // A right click released over a slider or a click on the caption: the sliders swap and the
    // caption changes. Without the caption (the Command1 button) only the sliders move.
    void swap(bool withCaption);
    // The step of a tick while the slider sliding in is distance twips from its place.
    static int step(double distance);

    void timer8Tick();
    void timer9Tick();
    // The pointer over the caption: what a click on it does.
    void captionHovered();

private:
    PlayerModel &m_model;
    SkinButtons &m_skin;
    // The caption has reached the top and is sinking back.
    bool m_sinking = false;
};
