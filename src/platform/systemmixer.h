#pragma once

#include <cstdlib>

// The computer's own output volume: the "Master" playback volume of the system mixer, else its
// first playback volume control (PCM, Speaker, Headphone ...). The
// playback window opens it at every load, sets it from its 0..100 slider and closes it at
// unload.
//
// Rules every implementation keeps:
// - open() returns whether there is a mixer at all; isAvailable() then tells whether it has a
//   playback volume control to set. It may be called again, open or not, and then looks
//   afresh, so a sound server started since the last call is found.
// - While unavailable (before open(), after a failed open(), with no volume control or after
//   close()) maximum() is 0 and setVolumeFromSlider() does nothing.
// - setVolumeFromSlider() sets every channel to mixerValueForSlider(value, maximum()); the
//   minimum of the control is not used. A failing set is not reported.
// - close() releases the mixer and is harmless when nothing is open; the destructor closes.
// - No call prints anything, shows anything or blocks for long.
class SystemMixer {
public:
    virtual ~SystemMixer() = default;

    [[nodiscard]] virtual bool open() = 0;
    virtual bool isAvailable() const = 0;
    virtual int maximum() const = 0;
    // sliderValue is the slider's position, 0..100.
    virtual void setVolumeFromSlider(int sliderValue) = 0;
    // The control's volume now, as a slider position 0..100 (rounded); -1 while unavailable or
    // when the mixer cannot tell.
    virtual int sliderValue() const { return -1; }
    virtual void close() = 0;
};

// The mixer value for a slider position: the whole part of slider x maximum / 100, truncated,
// never rounded (37 on a maximum of 65535 gives 24247, not 24248).
constexpr int mixerValueForSlider(int sliderValue, int maximum)
{
    const long long product = static_cast<long long>(sliderValue) * maximum;
    return static_cast<int>((product < 0 ? -product : product) / 100);
}
