#include "tools/gendata/synth.h"

#include "tools/gendata/wavfile.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <map>
#include <numbers>

namespace {

constexpr double TwoPi = 2 * std::numbers::pi;

double frequency(int pitch)
{
    return 440.0 * std::pow(2.0, (pitch - 69) / 12.0);
}

// A fixed-seed noise source, so drums and plucks are the same on every build.
class Noise {
public:
    explicit Noise(uint32_t seed) : m_state(seed * 2654435761u + 1u) {}
    double next()
    {
        m_state = m_state * 1664525u + 1013904223u;
        return (m_state >> 8) / double(1u << 24) * 2.0 - 1.0;
    }

private:
    uint32_t m_state;
};

struct Envelope {
    double attack;
    double decay;
    double sustain;
    double release;

    double at(double t, double length) const
    {
        double level;
        if (t < attack)
            level = t / attack;
        else if (t < attack + decay)
            level = 1.0 - (1.0 - sustain) * (t - attack) / decay;
        else
            level = sustain;
        if (t > length)
            level *= std::max(0.0, 1.0 - (t - length) / release);
        return level;
    }
};

constexpr int TableSize = 4096;

// One period of the sum of harmonics with the given weights, built once per voice: a song has
// thousands of notes and only a handful of voices.
const std::vector<double> &wavetable(std::initializer_list<double> weights)
{
    static std::map<std::vector<double>, std::vector<double>> tables;
    std::vector<double> key(weights);
    auto found = tables.find(key);
    if (found != tables.end())
        return found->second;
    std::vector<double> table(TableSize + 1, 0.0);
    for (int i = 0; i <= TableSize; ++i) {
        int h = 1;
        for (const double w : weights)
            table[size_t(i)] += w * std::sin(TwoPi * h++ * i / TableSize);
    }
    return tables.emplace(std::move(key), std::move(table)).first->second;
}

// One period of the sum of harmonics with the given weights, read back at the note's pitch;
// detune spreads three copies for an ensemble.
void additive(Synth::Buffer &out, const Synth::Note &n, const Envelope &env,
              std::initializer_list<double> weights, double detune, double vibrato)
{
    const std::vector<double> &table = wavetable(weights);
    const int first = int(n.start * Synth::SampleRate);
    const int count = int((n.length + env.release) * Synth::SampleRate);
    const double base = frequency(n.pitch);
    const int copies = detune > 0 ? 3 : 1;
    std::vector<double> phases(size_t(copies), 0.0); // in periods
    for (int s = 0; s < count && first + s < int(out.size()); ++s) {
        const double t = double(s) / Synth::SampleRate;
        const double wobble =
            vibrato > 0 && t > 0.15 ? 1.0 + vibrato * std::sin(TwoPi * 5.5 * t) : 1.0;
        double value = 0;
        for (int c = 0; c < copies; ++c) {
            double &phase = phases[size_t(c)];
            phase += base * (1.0 + detune * (c - 1)) * wobble / Synth::SampleRate;
            phase -= std::floor(phase);
            const double x = phase * TableSize;
            const int i = int(x);
            value += table[size_t(i)] + (table[size_t(i) + 1] - table[size_t(i)]) * (x - i);
        }
        out[size_t(first) + size_t(s)] += float(value / copies * env.at(t, n.length) * n.velocity);
    }
}

void pluck(Synth::Buffer &out, const Synth::Note &n)
{
    const int period = std::max(2, int(std::lround(Synth::SampleRate / frequency(n.pitch))));
    std::vector<double> line(static_cast<size_t>(period));
    Noise noise(uint32_t(n.pitch * 131 + int(n.start * 1000)));
    for (double &v : line)
        v = noise.next();
    const int first = int(n.start * Synth::SampleRate);
    const int count = int((n.length + 0.6) * Synth::SampleRate);
    for (int s = 0; s < count && first + s < int(out.size()); ++s) {
        const size_t i = size_t(s % period);
        const size_t j = size_t((s + 1) % period);
        const double v = line[i];
        line[i] = 0.996 * 0.5 * (line[i] + line[j]);
        const double t = double(s) / Synth::SampleRate;
        const double fade = t > n.length ? std::max(0.0, 1.0 - (t - n.length) / 0.6) : 1.0;
        out[size_t(first) + size_t(s)] += float(v * n.velocity * fade);
    }
}

void bell(Synth::Buffer &out, const Synth::Note &n)
{
    const double base = frequency(n.pitch);
    const double ratios[] = {1.0, 2.76, 5.4, 8.93};
    const double weights[] = {1.0, 0.5, 0.25, 0.12};
    const int first = int(n.start * Synth::SampleRate);
    const int count = int((n.length + 1.2) * Synth::SampleRate);
    // Each partial is a decaying phasor stepped by one complex multiplication a sample.
    std::complex<double> partial[4];
    std::complex<double> step[4];
    for (int k = 0; k < 4; ++k) {
        partial[k] = weights[k];
        step[k] = std::exp(std::complex<double>(-(2.5 + k * 1.5), TwoPi * base * ratios[k]) /
                           double(Synth::SampleRate));
    }
    for (int s = 0; s < count && first + s < int(out.size()); ++s) {
        const double t = double(s) / Synth::SampleRate;
        double value = 0;
        for (int k = 0; k < 4; ++k) {
            value += partial[k].imag();
            partial[k] *= step[k];
        }
        out[size_t(first) + size_t(s)] += float(value * n.velocity * std::min(1.0, t / 0.002));
    }
}

template <typename F> void drum(Synth::Buffer &out, double at, double seconds, F sample)
{
    const int first = int(at * Synth::SampleRate);
    const int count = int(seconds * Synth::SampleRate);
    for (int s = 0; s < count && first + s < int(out.size()); ++s)
        out[size_t(first) + size_t(s)] += float(sample(double(s) / Synth::SampleRate));
}

} // namespace

namespace Synth {

void addNote(Buffer &out, Voice voice, const Note &n)
{
    switch (voice) {
    case Voice::Lead:
        additive(out, n, {0.01, 0.08, 0.7, 0.06}, {1.0, 0.0, 0.33, 0.0, 0.2, 0.0, 0.14}, 0, 0);
        break;
    case Voice::Vocal:
        additive(out, n, {0.06, 0.1, 0.85, 0.12}, {1.0, 0.55, 0.3, 0.12, 0.18, 0.06}, 0, 0.006);
        break;
    case Voice::Strings:
        additive(out, n, {0.16, 0.1, 0.9, 0.25}, {1.0, 0.5, 0.33, 0.25, 0.2, 0.16, 0.14, 0.12},
                 0.004, 0.003);
        break;
    case Voice::Bass:
        additive(out, n, {0.005, 0.18, 0.35, 0.05}, {1.0, 0.45, 0.15}, 0, 0);
        break;
    case Voice::Pluck:
        pluck(out, n);
        break;
    case Voice::Bell:
        bell(out, n);
        break;
    }
}

void addKick(Buffer &out, double at, double velocity)
{
    double phase = 0;
    drum(out, at, 0.35, [&](double t) {
        phase += TwoPi * (48 + 90 * std::exp(-t * 30)) / SampleRate;
        return velocity * std::exp(-t * 9) * std::sin(phase);
    });
}

void addSnare(Buffer &out, double at, double velocity)
{
    Noise noise(uint32_t(at * 1000) + 7u);
    drum(out, at, 0.22, [&](double t) {
        const double tone = 0.4 * std::sin(TwoPi * 185 * t) * std::exp(-t * 30);
        return velocity * (tone + 0.6 * noise.next() * std::exp(-t * 18));
    });
}

void addHat(Buffer &out, double at, double velocity)
{
    Noise noise(uint32_t(at * 1000) + 11u);
    double previous = 0;
    drum(out, at, 0.06, [&](double t) {
        const double n = noise.next();
        const double high = n - previous; // a first difference keeps only the hiss
        previous = n;
        return velocity * 0.5 * high * std::exp(-t * 70);
    });
}

QByteArray wavFile(Buffer samples)
{
    // The same loudness for every song, so that no number of the board plays much louder
    // than another, within a peak of 0.9 of full scale.
    double peak = 0;
    double energy = 0;
    for (const float s : samples) {
        peak = std::max(peak, double(std::abs(s)));
        energy += double(s) * s;
    }
    const double rms = samples.empty() ? 0 : std::sqrt(energy / double(samples.size()));
    const double gain = peak > 0 ? std::min(0.9 / peak, 0.16 / rms) : 0;
    const size_t fadeIn = SampleRate / 200;
    const size_t fadeOut = SampleRate / 20;
    for (size_t i = 0; i < samples.size(); ++i) {
        double g = gain;
        if (i < fadeIn)
            g *= double(i) / fadeIn;
        if (samples.size() - i < fadeOut)
            g *= double(samples.size() - i) / fadeOut;
        samples[i] = float(samples[i] * g);
    }

    const quint32 dataBytes = quint32(samples.size() * 2);
    QByteArray b = WavFile::header(dataBytes, 1, SampleRate);
    for (const float s : samples)
        WavFile::put16(b, quint16(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767)));
    return b;
}

} // namespace Synth
