#pragma once

#include <Qt>

class MediaPlayer;
class PlayerModel;
class SkinButtons;
struct PlayerMemory;

// The player's own volume: the standard slider volume, the skinned slider in the strip under
// the video (its knob follows a drag with Timer7, 20 ms) and the mute button. The level and
// the mute state live in PlayerMemory, so the next song starts where this one was left.
// Positions are twips in the strip; x of the knob is in the knob, x of the track in the track.
class PlayerVolume {
public:
    PlayerVolume(PlayerModel &model, MediaPlayer &player, PlayerMemory &memory, SkinButtons &skin);

    // Where the drag grabbed the knob and where the pointer is now, both inside the knob.
    int VPosX = 0;
    int VCurX = 0;
    // The knob's left edge at the last pointer move of the drag.
    double knobLeftAtMove = 0;

    // The opening: the slider at the remembered level, knob and player in step with it, and
    // a mute left on by an earlier song applied again.
    void open();

    // The knob's left edge that centres it on the track at volume (0..100).
    static double knobLeftFor(int volume);
    // The volume a knob at knobLeft stands for: its centre along the track, to the nearest
    // whole number (halves to even), 0..100.
    static int volumeAt(double knobLeft);

    int value() const;
    // The slider set by the program; the caller brings the knob and the player in step.
    void setValue(int volume);
    // The presenter moved the slider.
    void sliderChanged(int volume);
    // Keeps the knob, the slider and the player in step: from the knob's position when
    // fromKnob, else from the slider's value. Unless dontRemember, the level becomes the
    // one the next window starts with.
    void PosizionaVolume(bool fromKnob, bool dontRemember);
    // stateOnly: whether the player is muted, nothing changed. Otherwise toggles the mute and
    // returns false.
    bool ImpostaMuto(bool stateOnly);

    // The track's click surface.
    void trackPressed(double x, Qt::MouseButton button);
    void trackMoved(double x, Qt::MouseButtons buttons);
    void trackReleased();
    // The knob.
    void knobPressed(double x);
    void knobMoved(double x, Qt::MouseButtons buttons);
    void knobReleased();
    void timer7Tick();
    // The pointer over the knob or the track: the info line tells about the player volume.
    void hovered(Qt::MouseButtons buttons);

    void mutoPressed();
    void mutoReleased(bool inside);

private:
    void setKnobLeft(double left);
    bool muted() const;

    PlayerModel &m_model;
    MediaPlayer &m_player;
    PlayerMemory &m_memory;
    SkinButtons &m_skin;
};
