#pragma once

#include "platform/gstaudioprobe.h"

#include <atomic>

// The real probe, counting the files it decodes.
class CountingProbe : public AudioProbe {
public:
    AudioAnalysis analyse(const QString &path, const std::atomic_bool &stop,
                          AudioRange range = {}) override
    {
        ++decodes;
        return m_real.analyse(path, stop, range);
    }
    std::atomic_int decodes{0};

private:
    GstAudioProbe m_real;
};
