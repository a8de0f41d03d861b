#pragma once

#include <QByteArray>
#include <QtEndian>
#include <initializer_list>

// Builds wave files byte by byte, so that tests can write the good ones and every kind of bad one.
namespace wavebytes {

inline QByteArray u16(quint16 v)
{
    QByteArray b(2, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

inline QByteArray u32(quint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

// A chunk with its header; odd-sized bodies get their pad byte unless told not to.
inline QByteArray chunk(const char* id, const QByteArray& body, bool pad = true)
{
    QByteArray c = QByteArray(id, 4) + u32(static_cast<quint32>(body.size())) + body;
    if (pad && body.size() % 2)
        c.append('\0');
    return c;
}

// The 16-byte body of a plain PCM "fmt " chunk.
inline QByteArray pcmFormat(quint16 channels, quint32 rate, quint16 bits, quint16 tag = 1)
{
    const quint16 align = static_cast<quint16>(channels * bits / 8);
    return u16(tag) + u16(channels) + u32(rate) + u32(rate * align) + u16(align) + u16(bits);
}

// RIFF/WAVE around the given chunks, with a correct RIFF size.
inline QByteArray riff(std::initializer_list<QByteArray> chunks)
{
    QByteArray body("WAVE");
    for (const QByteArray& c : chunks)
        body += c;
    return QByteArray("RIFF") + u32(static_cast<quint32>(body.size())) + body;
}

// A mono 16-bit square wave of the given length, loud from its first sample to its last.
inline QByteArray squareWave(quint32 rate, int milliseconds, qint16 amplitude = 12000)
{
    QByteArray data;
    const int frames = static_cast<int>(rate) * milliseconds / 1000;
    for (int i = 0; i < frames; ++i)
        data += u16(static_cast<quint16>((i / 50) % 2 ? amplitude : -amplitude));
    return riff({chunk("fmt ", pcmFormat(1, rate, 16)), chunk("data", data)});
}

} // namespace wavebytes
