#pragma once

#include "platform/systemmixer.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// The system volume through the ALSA simple mixer: the "Master" playback volume of the
// "default" control device, else its first element with a playback volume. With PulseAudio or
// PipeWire running, "default" is the sound server's own mixer (range 0..65536); otherwise it is the
// first sound card, if any.
class AlsaMixer final : public SystemMixer {
public:
    AlsaMixer();
    ~AlsaMixer() override;
    AlsaMixer(const AlsaMixer &) = delete;
    AlsaMixer &operator=(const AlsaMixer &) = delete;

    // One simple element of the mixer as the choice of the volume control sees it.
    struct Element {
        std::string name;
        bool playbackVolume = false;
        long maximum = 0;
    };
    // The element to set: "Master" when it has a usable playback volume, else the first one
    // that has; nothing when none has.
    static std::optional<size_t> chooseVolumeControl(const std::vector<Element> &elements);

    [[nodiscard]] bool open() override;
    bool isAvailable() const override { return m_open && m_open->control; }
    int maximum() const override;
    void setVolumeFromSlider(int sliderValue) override;
    int sliderValue() const override;
    void close() override;

private:
    // The ALSA handles of an open mixer and its volume element; null without a mixer.
    struct Open {
        struct _snd_mixer *handle = nullptr;
        struct _snd_mixer_elem *control = nullptr;
        int maximum = 0;
    };
    std::unique_ptr<Open> m_open;
};
