#include "songcheck/songverdict.h"

#include <algorithm>
#include <cmath>

namespace SongVerdict {

State state(const AudioAnalysis &analysis)
{
    switch (analysis.outcome) {
    case AudioAnalysis::Outcome::Missing:
        return State::Missing;
    case AudioAnalysis::Outcome::Failed:
    case AudioAnalysis::Outcome::Stopped:
        return State::Unplayable;
    case AudioAnalysis::Outcome::Decoded:
        break;
    }
    if (!(analysis.samplePeak > SilentBelow))
        return State::Silent;
    if (analysis.seconds < ShortestSeconds)
        return State::TooShort;
    return State::Ok;
}

State state(const AudioAnalysis &analysis, const Snippet &snippet)
{
    const State whole = state(analysis);
    if (whole != State::Ok || !snippet.isSet())
        return whole;
    const auto length = static_cast<qint64>(std::llround(analysis.seconds * 1000));
    const Snippet held = snippet.within(length);
    const qint64 end = held.end > 0 ? held.end : length;
    return double(end - held.start) < ShortestSeconds * 1000 ? State::SnippetTooShort : State::Ok;
}

QString text(State state, const QString &reason)
{
    switch (state) {
    case State::Ok:
        return QStringLiteral("OK");
    case State::Missing:
        return QStringLiteral("File mancante");
    case State::Unplayable:
        return QStringLiteral("Non riproducibile: ") + reason;
    case State::Silent:
        return QStringLiteral("Silenzioso");
    case State::TooShort:
        return QStringLiteral("Troppo breve");
    case State::SnippetTooShort:
        return QStringLiteral("Estratto troppo breve");
    }
    return {};
}

QString lengthText(double seconds)
{
    const auto whole = static_cast<qint64>(std::floor(std::max(0.0, seconds)));
    return QStringLiteral("%1.%2")
        .arg(whole / 60, 2, 10, QLatin1Char('0'))
        .arg(whole % 60, 2, 10, QLatin1Char('0'));
}

QString loudnessText(const AudioAnalysis &analysis)
{
    if (analysis.outcome != AudioAnalysis::Outcome::Decoded || !std::isfinite(analysis.loudness))
        return {};
    return QString::number(analysis.loudness, 'f', 1);
}

double levellingGain(const AudioAnalysis &analysis)
{
    const State s = state(analysis);
    if ((s != State::Ok && s != State::TooShort) || !std::isfinite(analysis.loudness))
        return 0.0;
    double gain = std::min(TargetLoudness - analysis.loudness, MaxBoost);
    if (std::isfinite(analysis.truePeak))
        gain = std::min(gain, -analysis.truePeak);
    return gain;
}

} // namespace SongVerdict
