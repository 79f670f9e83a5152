#pragma once

#include <Qt>

#include <optional>

class PlayerModel;
class PlayerVolume;
class Settings;

// The fade of a stop button (tmrStop): the player's volume falls from where it stood to 0 in
// 16 - abbvolume seconds whatever the level, one step per tick, and the song then stops. The
// button and the speed are read from the settings at every use (sfumadx, abbvolume), so a
// change made meanwhile applies to the next stop.
class FadeOut {
public:
    FadeOut(PlayerModel &model, PlayerVolume &volume, const Settings &settings);

    // The running volume of the fade, 0..100, and the slider's value when it started.
    float VolumeSfumato = 0;
    int VolumeInizioSfumatura = 0;

    // Whether a stop with this mouse button fades: sfumadx 0 the left button, 1 the right,
    // 2 neither, 3 any.
    static bool fades(int sfumadx, Qt::MouseButton button);
    // The fade speed, 15 at most (fast) since 16 would divide by zero and more would raise the
    // volume. A hand-edited value below 1 stays as it is: the fade just lasts longer.
    static int speed(int abbvolume);

    // A stop button was released with this mouse button: true when a fade starts (again, from
    // the level reached, when one was running), false when the song is to stop at once.
    [[nodiscard]] bool begin(Qt::MouseButton button);
    // A fade whatever the buttons' setting: the snippet's end.
    void beginAlways();
    // One tick of tmrStop, whose interval is intervalMs: the slider goes down a step. True when
    // the volume had already reached 0: the timer is off and the song is to stop.
    [[nodiscard]] bool tick(int intervalMs);

private:
    void start(int volume);
    // The slider's new value, rounded half to even, or nothing at the fade's end.
    std::optional<int> step(int abbvolume, int intervalMs);

    PlayerModel &m_model;
    PlayerVolume &m_volume;
    const Settings &m_settings;
};
