#pragma once

class MixerLauncher;
class PlayerModel;
class Settings;
class SkinButtons;
class SystemMixer;

// The computer's own volume: the slider VolPrinc sets the system mixer's master volume, and
// the mixer button starts the system's mixer application. The mixer is opened at every load
// and closed at unload; without one the slider is disabled and the system is never touched.
class ComputerVolume {
public:
    ComputerVolume(PlayerModel &model, SkinButtons &skin, Settings &settings, SystemMixer &mixer,
                   MixerLauncher &launcher);

    void ApriMixer();
    // The opening: the mixer, then VolPrinc at volprinc when ckvolprinc is 1, else at 50,
    // sent to the mixer. A kept volprinc that is not a whole number in 0..100 is not applied:
    // the computer keeps its volume and the slider shows it (50 when the mixer cannot tell).
    void open();
    // VolPrinc moved, by the presenter or by the program.
    void sliderChanged(int value);
    // The closing: volprinc keeps the slider for the settings file, the mixer is let go. A
    // volprinc that was not applied stays as it was unless VolPrinc has moved since.
    void unload();

    void mixerPressed();
    void mixerReleased(bool inside);

private:
    PlayerModel &m_model;
    SkinButtons &m_skin;
    Settings &m_settings;
    SystemMixer &m_mixer;
    MixerLauncher &m_launcher;
    bool m_keepStored = false;
};
