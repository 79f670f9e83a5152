#pragma once

#include <QByteArray>

#include <cstdint>
#include <vector>

// A small additive synthesiser for the demo songs: a few voices, three drums, and the WAV
// file they end up in. Everything is deterministic: the same song comes out on every build.
namespace Synth {

inline constexpr int SampleRate = 44100;

using Buffer = std::vector<float>;

enum class Voice {
    Lead,    // bright square-like tone: jingles
    Vocal,   // soft voice-like tone with vibrato
    Strings, // detuned saw ensemble with a slow attack
    Bass,    // round plucked bass
    Pluck,   // plucked string (a delay line fed with noise)
    Bell,    // inharmonic bell with a long ring
};

struct Note {
    double start;  // seconds
    double length; // seconds, before the release
    int pitch;     // MIDI note number
    double velocity;
};

void addNote(Buffer &out, Voice voice, const Note &note);
void addKick(Buffer &out, double at, double velocity);
void addSnare(Buffer &out, double at, double velocity);
void addHat(Buffer &out, double at, double velocity);

// Brought to one loudness below full scale, with short fades against clicks; 16-bit PCM,
// mono, 44.1 kHz.
QByteArray wavFile(Buffer samples);

} // namespace Synth
