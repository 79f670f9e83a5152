#pragma once

#include <QByteArray>
#include <QtEndian>

// The pieces of a 16-bit PCM WAV file, for the generated songs and jingles and for the tone
// files the tests play.
namespace WavFile {

inline void put16(QByteArray &out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

inline void put32(QByteArray &out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

// A file's 44-byte header, for dataBytes of samples that follow it.
inline QByteArray header(quint32 dataBytes, int channels, int rate)
{
    QByteArray out;
    out.reserve(int(44 + dataBytes));
    out.append("RIFF");
    put32(out, 36 + dataBytes);
    out.append("WAVEfmt ");
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, quint16(channels));
    put32(out, quint32(rate));
    put32(out, quint32(rate * channels * 2));
    put16(out, quint16(channels * 2));
    put16(out, 16);
    out.append("data");
    put32(out, dataBytes);
    return out;
}

} // namespace WavFile
