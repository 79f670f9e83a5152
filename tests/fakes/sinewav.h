#pragma once

#include <QByteArray>
#include <QDataStream>
#include <QIODevice>

#include <cmath>

// A 440 Hz tone as a 16-bit mono WAV file, for tests that play real media.
inline QByteArray sineWav(double seconds, int sampleRate)
{
    const auto frames = static_cast<qint32>(seconds * sampleRate);
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << qint32(36 + frames * 2);
    out.writeRawData("WAVEfmt ", 8);
    out << qint32(16) << qint16(1) << qint16(1) << qint32(sampleRate) << qint32(sampleRate * 2)
        << qint16(2) << qint16(16);
    out.writeRawData("data", 4);
    out << qint32(frames * 2);
    for (qint32 i = 0; i < frames; ++i) {
        out << static_cast<qint16>(
            std::lround(8000.0 * std::sin(2.0 * M_PI * 440.0 * i / sampleRate)));
    }
    return bytes;
}
