#include "platform/sound/CueVolume.h"

#include <QtEndian>
#include <gtest/gtest.h>

namespace {

PcmSound soundOf(int bits, QByteArray samples)
{
    PcmSound sound;
    sound.sampleRate = 8000;
    sound.channels = 1;
    sound.bitsPerSample = bits;
    sound.samples = std::move(samples);
    return sound;
}

} // namespace

TEST(CueVolume, ScalesEverySampleWidthAroundItsSilence)
{
    // 16 bits, little-endian, signed: 1000, -1000, the extremes.
    QByteArray sixteen(8, 0);
    const std::array<qint16, 4> values{1000, -1000, 32767, -32768};
    for (int i = 0; i < 4; ++i)
        qToLittleEndian<qint16>(values[i], sixteen.data() + 2 * i);
    const PcmSound half = withVolume(soundOf(16, sixteen), 50);
    EXPECT_EQ(qFromLittleEndian<qint16>(half.samples.constData()), 500);
    EXPECT_EQ(qFromLittleEndian<qint16>(half.samples.constData() + 2), -500);
    EXPECT_EQ(qFromLittleEndian<qint16>(half.samples.constData() + 4), 16383);
    EXPECT_EQ(qFromLittleEndian<qint16>(half.samples.constData() + 6), -16384);
    EXPECT_EQ(half.bitsPerSample, 16);
    EXPECT_EQ(half.samples.size(), sixteen.size());

    // 8 bits, unsigned: silence is 128 and stays so.
    const PcmSound eight = withVolume(soundOf(8, QByteArray("\x80\xff\x00", 3)), 50);
    EXPECT_EQ(static_cast<unsigned char>(eight.samples[0]), 128);
    EXPECT_EQ(static_cast<unsigned char>(eight.samples[1]), 128 + 63);
    EXPECT_EQ(static_cast<unsigned char>(eight.samples[2]), 128 - 64);

    // 24 bits: a negative sample keeps its sign.
    const PcmSound twentyFour = withVolume(soundOf(24, QByteArray("\x00\x00\x80", 3)), 25);
    const auto* b = reinterpret_cast<const unsigned char*>(twentyFour.samples.constData());
    const std::int32_t back =
        std::int32_t(std::uint32_t(b[0]) << 8 | std::uint32_t(b[1]) << 16 | std::uint32_t(b[2]) << 24) >> 8;
    EXPECT_EQ(back, -8388608 / 4);
}

TEST(CueVolume, NothingAtZeroAndTheFileAsItIsAtFull)
{
    QByteArray sixteen(4, 0);
    qToLittleEndian<qint16>(1234, sixteen.data());
    qToLittleEndian<qint16>(-4321, sixteen.data() + 2);
    EXPECT_EQ(withVolume(soundOf(16, sixteen), 100).samples, sixteen);
    EXPECT_EQ(withVolume(soundOf(16, sixteen), 0).samples, QByteArray(4, 0));
    EXPECT_EQ(withVolume(soundOf(8, QByteArray("\x10\xf0", 2)), 0).samples, QByteArray("\x80\x80", 2));
}
