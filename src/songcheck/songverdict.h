#pragma once

#include "core/snippet.h"
#include "platform/audioprobe.h"

#include <QString>

// What the pre-show check says of a song, and the gain that plays it as loud as the others.
namespace SongVerdict {

enum class State { Ok, Missing, Unplayable, Silent, TooShort, SnippetTooShort };

// Decoded audio that never rises above this level (dBFS) is silence.
inline constexpr double SilentBelow = -60.0;
// A song shorter than this (seconds) is a mistake, not a song.
inline constexpr double ShortestSeconds = 1.0;
// Equal loudness: every song is brought to this integrated loudness (LUFS), raised by no more
// than MaxBoost (dB) and never so far that its true peak would pass full scale.
inline constexpr double TargetLoudness = -16.0;
inline constexpr double MaxBoost = 6.0;

State state(const AudioAnalysis &analysis);
// The same for a slot that plays snippet of the song: a good song whose snippet lasts less
// than ShortestSeconds is a mistake too (points past the song's end do not count).
State state(const AudioAnalysis &analysis, const Snippet &snippet);
// "OK", "File mancante", "Non riproducibile: " + reason, "Silenzioso", "Troppo breve",
// "Estratto troppo breve".
QString text(State state, const QString &reason);
// "03.25": minutes and seconds of a length.
QString lengthText(double seconds);
// "-14.2"; empty when there is no loudness to show.
QString loudnessText(const AudioAnalysis &analysis);
// The gain (dB) that levels an analysed song; 0 for one that is not fit to play.
double levellingGain(const AudioAnalysis &analysis);

} // namespace SongVerdict
