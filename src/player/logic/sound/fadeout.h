#pragma once

#include <Qt>

#include <optional>

// The fade of a stop button (tmrStop): the player's volume falls from where it stood to 0 in
// 16 - abbvolume seconds whatever the level, one step per tick, and the song then stops.
class FadeOut {
public:
    // The running volume of the fade, 0..100, and the slider's value when it started.
    float VolumeSfumato = 0;
    int VolumeInizioSfumatura = 0;

    // Whether a stop with this mouse button fades: sfumadx 0 the left button, 1 the right,
    // 2 neither, 3 any.
    static bool fades(int sfumadx, Qt::MouseButton button);
    // The fade speed, 15 at most (fast) since 16 would divide by zero and more would raise the
    // volume. A hand-edited value below 1 stays as it is: the fade just lasts longer.
    static int speed(int abbvolume);

    void start(int volume);
    // One tick of intervalMs: the slider's new value, rounded half to even, or nothing when
    // the volume had already reached 0 and the song is to stop.
    std::optional<int> tick(int abbvolume, int intervalMs);
};
