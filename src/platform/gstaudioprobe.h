#pragma once

#include "platform/audioprobe.h"

// The probe on GStreamer: uridecodebin -> audioconvert -> appsink (32-bit float, interleaved),
// every block fed to libebur128 for loudness and true peak.
class GstAudioProbe : public AudioProbe {
public:
    GstAudioProbe();
    AudioAnalysis analyse(const QString &path, const std::atomic_bool &stop,
                          AudioRange range = {}) override;
};
