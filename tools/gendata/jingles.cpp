#include "tools/gendata/jingles.h"

#include "core/categories.h"
#include "tools/gendata/synth.h"

#include <algorithm>
#include <array>
#include <cmath>

using Synth::Voice;

namespace {

constexpr std::array<int, 7> Major{0, 2, 4, 5, 7, 9, 11};
constexpr std::array<int, 7> Minor{0, 2, 3, 5, 7, 8, 10};

// Chord roots (scale degrees) bar by bar, one progression per point value.
constexpr std::array<std::array<int, 4>, 5> Progressions{
    {{0, 4, 5, 3}, {0, 3, 4, 0}, {0, 5, 3, 4}, {0, 2, 3, 4}, {0, 3, 0, 4}}};

// Rhythm cells in beats; a phrase is a row of them.
const std::vector<std::vector<double>> Cells{
    {1.0}, {0.5, 0.5}, {0.75, 0.25}, {0.5, 0.25, 0.25}, {1.5, 0.5}, {0.25, 0.25, 0.5}};

class Dice {
public:
    explicit Dice(unsigned seed) : m_state(seed * 2246822519u + 3266489917u) {}
    int roll(int sides)
    {
        m_state = m_state * 1103515245u + 12345u;
        return int((m_state >> 16) % unsigned(sides));
    }

private:
    unsigned m_state;
};

struct Plan {
    Voice melody;
    int tempo; // beats per minute
    int root;  // MIDI note of the key's tonic, melody octave
    bool minor;
    double seconds; // length of the phrase before its ring-out
};

Plan plan(int c, int n)
{
    constexpr Voice Voices[] = {Voice::Lead, Voice::Vocal, Voice::Strings, Voice::Pluck,
                                Voice::Pluck};
    constexpr int Tempi[] = {132, 92, 72, 120, 104};
    constexpr int TempoSteps[] = {8, 6, 6, 6, 10};
    return {Voices[c], Tempi[c] + TempoSteps[c] * n, 60 + (c * 5 + n * 7) % 12,
            (c + 2 * n) % 5 == 1 || (c + 2 * n) % 5 == 3, 2.2 + 0.3 * n};
}

int pitchOf(const Plan &p, int degree)
{
    const auto &scale = p.minor ? Minor : Major;
    const int octave = int(std::floor(degree / 7.0));
    return p.root + 12 * octave + scale[size_t(degree - 7 * octave)];
}

struct Phrase {
    std::vector<Synth::Note> notes;
    double beat; // seconds per beat
    double end;  // seconds
    int bars;
};

Phrase melody(const Plan &p, Dice &dice)
{
    Phrase ph;
    ph.beat = 60.0 / p.tempo;
    const double total = std::max(4.0, std::round(p.seconds / ph.beat * 2) / 2);
    const double closing = total >= 8 ? 1.5 : 1.0;
    double at = 0;
    int degree = dice.roll(3) * 2;
    while (at < total - closing - 1e-9) {
        const auto &cell = Cells[size_t(dice.roll(int(Cells.size())))];
        for (const double len : cell) {
            if (at >= total - closing - 1e-9)
                break;
            const double length = std::min(len, total - closing - at);
            const bool accent = std::fmod(at, 1.0) < 1e-9;
            ph.notes.push_back(
                {at * ph.beat, length * ph.beat * 0.9, pitchOf(p, degree), accent ? 0.55 : 0.42});
            constexpr int Steps[] = {-2, -1, -1, 1, 1, 2, 3, -3, 0};
            degree = std::clamp(degree + Steps[dice.roll(9)], -3, 9);
            at += length;
        }
    }
    const int home = degree > 3 ? 7 : 0;
    ph.notes.push_back({at * ph.beat, closing * ph.beat, pitchOf(p, home), 0.6});
    ph.end = (at + closing) * ph.beat;
    ph.bars = int(std::ceil((at + closing) / 4.0 - 1e-9));
    return ph;
}

std::array<int, 3> triad(const Plan &p, int degree, int octaveShift)
{
    return {pitchOf(p, degree) + 12 * octaveShift, pitchOf(p, degree + 2) + 12 * octaveShift,
            pitchOf(p, degree + 4) + 12 * octaveShift};
}

void accompany(Synth::Buffer &out, int c, int n, const Plan &p, const Phrase &ph)
{
    const auto &progression = Progressions[size_t(n)];
    const double bar = 4 * ph.beat;
    for (int b = 0; b < ph.bars; ++b) {
        const bool last = b == ph.bars - 1;
        const int degree = last ? 0 : progression[size_t(b % 4)];
        const double start = b * bar;
        const double length = std::min(bar, ph.end - start);
        const int bass = pitchOf(p, degree) - 24;
        switch (c) {
        case 0: // Spot: walking bass on the beats
            for (int k = 0; k < 4 && start + k * ph.beat < ph.end; ++k)
                Synth::addNote(out, Voice::Bass, {start + k * ph.beat, ph.beat * 0.6, bass, 0.5});
            break;
        case 1: // Canto: a soft pad under the voice
            for (const int pitch : triad(p, degree, -1))
                Synth::addNote(out, Voice::Strings, {start, length, pitch, 0.12});
            Synth::addNote(out, Voice::Bass, {start, length * 0.9, bass, 0.35});
            break;
        case 2: // Colonne Sonore: low strings and a timpani stroke on each bar
            for (const int pitch : triad(p, degree, -1))
                Synth::addNote(out, Voice::Strings, {start, length, pitch, 0.2});
            Synth::addKick(out, start, 0.6);
            break;
        case 3: // Ballo: four on the floor, offbeat bass and hats
            for (int k = 0; k < 4 && start + k * ph.beat < ph.end; ++k) {
                const double t = start + k * ph.beat;
                Synth::addKick(out, t, 0.9);
                if (k % 2 == 1)
                    Synth::addSnare(out, t, 0.45);
                Synth::addHat(out, t + ph.beat / 2, 0.5);
                Synth::addNote(out, Voice::Bass, {t + ph.beat / 2, ph.beat * 0.4, bass + 12, 0.5});
            }
            break;
        default: // Scelte dagli Educatori: a bell on each bar over a long bass
            Synth::addNote(out, Voice::Bell, {start, length, pitchOf(p, degree) + 12, 0.18});
            Synth::addNote(out, Voice::Bass, {start, length * 0.95, bass, 0.3});
            break;
        }
    }
    // Every jingle ends on a ringing tonic.
    Synth::addNote(out, Voice::Bell, {ph.notes.back().start, 0.4, p.root + 12, 0.22});
}

QByteArray song(int c, int n)
{
    const Plan p = plan(c, n);
    Dice dice(unsigned(slotIndex(c, n) + 1));
    const Phrase ph = melody(p, dice);
    const double seconds = std::clamp(ph.end + 0.7, 2.0, 3.9);
    Synth::Buffer out(size_t(seconds * Synth::SampleRate), 0.0f);
    const int lift = p.melody == Voice::Strings ? 12 : 0;
    for (Synth::Note note : ph.notes) {
        note.pitch += lift;
        Synth::addNote(out, p.melody, note);
    }
    accompany(out, c, n, p, ph);
    return Synth::wavFile(std::move(out));
}

} // namespace

namespace Jingles {

QList<Song> compose()
{
    QList<Song> songs;
    for (int c = 0; c < CategoryCount; ++c) {
        for (int n = 0; n < SlotsPerCategory; ++n) {
            songs.append({slotIndex(c, n),
                          u"ZMP " + category(c).displayName.toString() + u' ' +
                              QString::number(slotPoints(n)) + u".wav",
                          song(c, n)});
        }
    }
    return songs;
}

QByteArray bookingChime()
{
    Synth::Buffer out(size_t(0.55 * Synth::SampleRate), 0.0f);
    Synth::addNote(out, Voice::Bell, {0.0, 0.12, 81, 0.8});
    Synth::addNote(out, Voice::Bell, {0.12, 0.3, 88, 0.8});
    return Synth::wavFile(out);
}

} // namespace Jingles
