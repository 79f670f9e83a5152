#pragma once

#include "platform/mediaplayer.h"

#include <QString>

#include <Qt>

#include <utility>
#include <vector>

class PlayerLogic;
class MediaPlayer;

// The playback window from the keyboard. Each key runs the path of the control it stands for:
// Space the big play button, Esc the stop button pressed with the left button (so it fades
// when the fade is set for that button), the arrows the mini bar and the skinned volume
// slider, R repeat and M mute. Esc on a stopped player closes the window, so Enter on the
// board, Esc, Esc plays a number, fades it out and comes back to the board.
class PlayerKeys {
public:
    enum class Action {
        None,
        PlayPause,
        Stop,
        Close,
        SeekBack,
        SeekForward,
        VolumeUp,
        VolumeDown,
        Repeat,
        Mute,
    };

    // How far the arrows move the song (seconds) and the player volume.
    static constexpr double SeekStep = 5;
    static constexpr int VolumeStep = 5;

    PlayerKeys(PlayerLogic &logic, MediaPlayer &player);

    // What a key means with the player in playState. Held keys repeat only the arrows.
    static Action action(int key, Qt::KeyboardModifiers modifiers, bool autoRepeat,
                         MediaPlayer::PlayState playState);
    // Runs the key's action; Close is left to the window, which alone can close itself.
    Action press(int key, Qt::KeyboardModifiers modifiers, bool autoRepeat);

    // The keys of each control, by the control's object name, for its accessible description.
    static const std::vector<std::pair<const char *, QString>> &descriptions();

private:
    void playPause();
    void stop();
    void seekBy(double seconds);
    void volumeBy(int step);
    void repeat();
    void mute();

    PlayerLogic &m_logic;
    MediaPlayer &m_player;
};
