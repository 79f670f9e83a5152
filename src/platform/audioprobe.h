#pragma once

#include <QString>
#include <QtGlobal>

#include <atomic>
#include <limits>

// What decoding a song to its end found out about it.
struct AudioAnalysis {
    enum class Outcome {
        Decoded, // played through to its end: the figures below hold
        Missing, // no readable file at the path
        Failed,  // the back end could not play it; error says why
        Stopped, // the caller asked to stop before the end
    };
    static constexpr double Silence = -std::numeric_limits<double>::infinity();

    Outcome outcome = Outcome::Missing;
    QString error;
    double seconds = 0.0;        // length of the decoded audio
    double loudness = Silence;   // integrated loudness, LUFS (EBU R128)
    double truePeak = Silence;   // dBTP, the highest channel
    double samplePeak = Silence; // dBFS, the highest sample of any channel
};

// The part of a song the levels are measured on, in milliseconds: from fromMs to toMs, toMs 0
// the song's end. The length is always the whole song's.
struct AudioRange {
    qint64 fromMs = 0;
    qint64 toMs = 0;
    bool whole() const { return fromMs == 0 && toMs == 0; }
    bool operator==(const AudioRange &) const = default;
};

// Decodes a song file through to its end and measures it.
//
// Rules every implementation keeps:
// - analyse() blocks until the file is done, so it is called off the window's thread; several
//   threads may each call it at once.
// - It returns Stopped within a fraction of a second once stop reads true.
// - It never throws and never hangs on a file that delivers nothing: that file has Failed.
class AudioProbe {
public:
    virtual ~AudioProbe() = default;
    virtual AudioAnalysis analyse(const QString &path, const std::atomic_bool &stop,
                                  AudioRange range = {}) = 0;
};
