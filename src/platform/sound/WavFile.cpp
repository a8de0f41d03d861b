#include "platform/sound/WavFile.h"

#include <QFile>
#include <cstring>

namespace {

// The sound server takes at most 384 kHz; nothing below 1 Hz makes sense.
constexpr quint32 maxSampleRate = 384000;
constexpr quint16 formatPcm = 0x0001;
constexpr quint16 formatExtensible = 0xFFFE;
// KSDATAFORMAT_SUBTYPE_PCM after its first two bytes (the format tag).
constexpr unsigned char pcmSubformatTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                                0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

quint16 readU16(const char* p)
{
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return static_cast<quint16>(b[0] | (b[1] << 8));
}

quint32 readU32(const char* p)
{
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return static_cast<quint32>(b[0]) | (static_cast<quint32>(b[1]) << 8) |
           (static_cast<quint32>(b[2]) << 16) | (static_cast<quint32>(b[3]) << 24);
}

struct Format {
    quint16 channels = 0;
    quint32 sampleRate = 0;
    quint16 blockAlign = 0;
    quint16 bitsPerSample = 0;
};

std::optional<Format> parseFormat(const char* chunk, quint32 size)
{
    if (size < 16)
        return std::nullopt;
    const quint16 tag = readU16(chunk);
    Format format{readU16(chunk + 2), readU32(chunk + 4), readU16(chunk + 12), readU16(chunk + 14)};
    if (tag == formatExtensible) {
        // cbSize, valid bits, channel mask, then the sub-format GUID.
        if (size < 40 || readU16(chunk + 16) < 22 || readU16(chunk + 24) != formatPcm ||
            std::memcmp(chunk + 26, pcmSubformatTail, sizeof pcmSubformatTail) != 0)
            return std::nullopt;
        // Samples padded into wider containers would need shifting; cues have none.
        if (readU16(chunk + 18) != format.bitsPerSample)
            return std::nullopt;
    } else if (tag != formatPcm) {
        return std::nullopt;
    }
    const quint16 bits = format.bitsPerSample;
    if (bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return std::nullopt;
    if (format.channels != 1 && format.channels != 2)
        return std::nullopt;
    if (format.sampleRate < 1 || format.sampleRate > maxSampleRate)
        return std::nullopt;
    if (format.blockAlign != format.channels * bits / 8)
        return std::nullopt;
    return format;
}

} // namespace

std::optional<PcmSound> parseWav(const QByteArray& file)
{
    const qint64 size = file.size();
    if (size < 12 || size > maxWavFileBytes)
        return std::nullopt;
    const char* bytes = file.constData();
    if (std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0)
        return std::nullopt;
    // The RIFF size is not trusted (writers that stream often leave it wrong); the chunks are read
    // up to the end of the file and must each fit in it.
    std::optional<Format> format;
    qint64 dataOffset = -1;
    qint64 dataSize = 0;
    qint64 offset = 12;
    while (offset + 8 <= size) {
        const char* header = bytes + offset;
        const qint64 chunkSize = readU32(header + 4);
        const qint64 body = offset + 8;
        if (chunkSize > size - body)
            return std::nullopt;
        if (std::memcmp(header, "fmt ", 4) == 0) {
            if (format)
                return std::nullopt;
            format = parseFormat(bytes + body, static_cast<quint32>(chunkSize));
            if (!format)
                return std::nullopt;
        } else if (std::memcmp(header, "data", 4) == 0) {
            if (dataOffset >= 0)
                return std::nullopt;
            dataOffset = body;
            dataSize = chunkSize;
        }
        // Chunks start on even offsets: an odd-sized chunk is followed by a pad byte (which a file
        // that ends right after the chunk may lack).
        offset = body + chunkSize + (chunkSize & 1);
    }
    if (!format || dataOffset < 0)
        return std::nullopt;
    const qint64 frameBytes = format->blockAlign;
    const qint64 wholeFrames = dataSize / frameBytes;
    if (wholeFrames == 0)
        return std::nullopt;
    PcmSound sound;
    sound.sampleRate = static_cast<int>(format->sampleRate);
    sound.channels = format->channels;
    sound.bitsPerSample = format->bitsPerSample;
    sound.samples = file.mid(dataOffset, wholeFrames * frameBytes);
    return sound;
}

std::optional<PcmSound> readWavFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > maxWavFileBytes)
        return std::nullopt;
    // Read one byte more than allowed, so that a file that grew after size() is still refused.
    return parseWav(file.read(maxWavFileBytes + 1));
}
