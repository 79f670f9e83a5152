#pragma once

#include "platform/systemmixer.h"

#include <memory>

// The system volume through the ALSA simple mixer: the "Master" playback volume of the
// "default" control device. With PulseAudio or PipeWire running, "default" is the sound
// server's own mixer (range 0..65536); otherwise it is the first sound card, if any.
class AlsaMixer final : public SystemMixer {
public:
    AlsaMixer();
    ~AlsaMixer() override;
    AlsaMixer(const AlsaMixer &) = delete;
    AlsaMixer &operator=(const AlsaMixer &) = delete;

    bool open() override;
    bool isAvailable() const override { return m_open != nullptr; }
    int maximum() const override;
    void setVolumeFromSlider(int sliderValue) override;
    void close() override;

private:
    // The ALSA handles of an open mixer with its "Master" element; null while unavailable.
    struct Open;
    std::unique_ptr<Open> m_open;
};
