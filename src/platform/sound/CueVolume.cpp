#include "platform/sound/CueVolume.h"

#include <QtEndian>
#include <algorithm>
#include <cstdint>
#include <cstring>

PcmSound withVolume(const PcmSound& sound, int percent)
{
    PcmSound quieter = sound;
    const qint64 factor = std::clamp(percent, 0, 100);
    if (factor == 100)
        return quieter;
    char* bytes = quieter.samples.data();
    const qsizetype size = quieter.samples.size();
    switch (sound.bitsPerSample) {
    case 8:
        // Unsigned, silence at 128.
        for (qsizetype i = 0; i < size; ++i) {
            const int sample = int(static_cast<unsigned char>(bytes[i])) - 128;
            bytes[i] = char(static_cast<unsigned char>(128 + sample * factor / 100));
        }
        break;
    case 16:
        for (qsizetype i = 0; i + 2 <= size; i += 2) {
            const qint16 sample = qFromLittleEndian<qint16>(bytes + i);
            qToLittleEndian<qint16>(qint16(sample * factor / 100), bytes + i);
        }
        break;
    case 24:
        for (qsizetype i = 0; i + 3 <= size; i += 3) {
            auto* b = reinterpret_cast<unsigned char*>(bytes + i);
            // Sign-extended from the top byte.
            const std::int32_t sample = std::int32_t(std::uint32_t(b[0]) << 8 | std::uint32_t(b[1]) << 16 |
                                                     std::uint32_t(b[2]) << 24) >>
                                        8;
            const std::int32_t scaled = std::int32_t(sample * factor / 100);
            b[0] = static_cast<unsigned char>(scaled & 0xff);
            b[1] = static_cast<unsigned char>((scaled >> 8) & 0xff);
            b[2] = static_cast<unsigned char>((scaled >> 16) & 0xff);
        }
        break;
    case 32:
        for (qsizetype i = 0; i + 4 <= size; i += 4) {
            const qint32 sample = qFromLittleEndian<qint32>(bytes + i);
            qToLittleEndian<qint32>(qint32(sample * factor / 100), bytes + i);
        }
        break;
    default:
        break;
    }
    return quieter;
}
