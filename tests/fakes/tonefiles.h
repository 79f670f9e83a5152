#pragma once

#include "tools/gendata/wavfile.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cmath>
#include <numbers>

// Generated songs: 16-bit PCM WAV files of a steady sine.
namespace ToneFiles {

struct Tone {
    double seconds = 2.0;
    double peakDb = -20.0; // -inf for digital silence
    int channels = 2;
    int rate = 44100;
    double frequency = 1000.0;
};

inline QByteArray wav(const Tone &t)
{
    const auto frames = static_cast<quint32>(std::llround(t.seconds * t.rate));
    const quint32 dataBytes = frames * quint32(t.channels) * 2;
    QByteArray out = WavFile::header(dataBytes, t.channels, t.rate);
    const double amplitude =
        std::isfinite(t.peakDb) ? 32767.0 * std::pow(10.0, t.peakDb / 20.0) : 0;
    const double step = 2.0 * std::numbers::pi * t.frequency / t.rate;
    for (quint32 i = 0; i < frames; ++i) {
        const auto v = static_cast<qint16>(std::lround(amplitude * std::sin(step * i)));
        for (int c = 0; c < t.channels; ++c)
            WavFile::put16(out, quint16(v));
    }
    return out;
}

// One file that plays first, then second (both of first's channels and rate).
inline QByteArray joined(const Tone &first, const Tone &second)
{
    const QByteArray a = wav(first).mid(44);
    const QByteArray b =
        wav({second.seconds, second.peakDb, first.channels, first.rate, second.frequency}).mid(44);
    return WavFile::header(quint32(a.size() + b.size()), first.channels, first.rate) + a + b;
}

inline bool write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace ToneFiles
