#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtEndian>

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

inline void put32(QByteArray &out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

inline void put16(QByteArray &out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

inline QByteArray wav(const Tone &t)
{
    const auto frames = static_cast<quint32>(std::llround(t.seconds * t.rate));
    const quint32 dataBytes = frames * quint32(t.channels) * 2;
    QByteArray out;
    out.reserve(int(44 + dataBytes));
    out.append("RIFF");
    put32(out, 36 + dataBytes);
    out.append("WAVEfmt ");
    put32(out, 16);
    put16(out, 1);
    put16(out, quint16(t.channels));
    put32(out, quint32(t.rate));
    put32(out, quint32(t.rate * t.channels * 2));
    put16(out, quint16(t.channels * 2));
    put16(out, 16);
    out.append("data");
    put32(out, dataBytes);
    const double amplitude =
        std::isfinite(t.peakDb) ? 32767.0 * std::pow(10.0, t.peakDb / 20.0) : 0;
    const double step = 2.0 * std::numbers::pi * t.frequency / t.rate;
    for (quint32 i = 0; i < frames; ++i) {
        const auto v = static_cast<qint16>(std::lround(amplitude * std::sin(step * i)));
        for (int c = 0; c < t.channels; ++c)
            put16(out, quint16(v));
    }
    return out;
}

inline bool write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace ToneFiles
