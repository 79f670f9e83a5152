#pragma once

#include "songcheck/probequeue.h"

class Settings;

// Equal loudness for the playback window (setting uniformavolume). The audio output cannot
// amplify, so the boost of a quiet song comes out of a fixed headroom: with the setting on,
// every song plays SongVerdict::MaxBoost dB under its levelled gain, and only the computer's
// volume makes up for it. A song not analysed yet plays at its own level and is analysed in
// the background, for the next time it plays.
class Leveller : public QObject {
    Q_OBJECT

public:
    Leveller(const Settings &settings, AudioProbe &probe, AnalysisCache &cache,
             QObject *parent = nullptr);

    // The factor (0..1) the output multiplies the player's volume by for the song at path,
    // levelled on the part of it the slot plays: 1 with the setting off.
    double outputGain(const QString &path, AudioRange range = {});

    // For the tests: the background analyses are done.
    ProbeQueue &queue() { return m_queue; }

    static double factorFor(double gainDb);
    // The setting is on: only then is a song's loudness looked up or measured.
    static bool isOn(const Settings &settings);

private:
    const Settings &m_settings;
    AnalysisCache &m_cache;
    ProbeQueue m_queue;
};
