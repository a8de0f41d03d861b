#include "platform/sound/WavFile.h"

#include "WaveBytes.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace wavebytes;

namespace {

QByteArray frames(int count, int bytesPerFrame)
{
    QByteArray data;
    for (int i = 0; i < count * bytesPerFrame; ++i)
        data.append(static_cast<char>(i * 7 + 1));
    return data;
}

} // namespace

TEST(ParseWav, ReadsEveryPcmLayout)
{
    struct Case {
        quint16 channels;
        quint32 rate;
        quint16 bits;
    };
    for (const Case c : {Case{1, 22050, 8}, Case{2, 8000, 8}, Case{1, 44100, 16}, Case{2, 48000, 16},
                         Case{1, 96000, 24}, Case{2, 11025, 24}, Case{1, 44100, 32}, Case{2, 384000, 32}}) {
        SCOPED_TRACE(testing::Message() << c.channels << " ch " << c.rate << " Hz " << c.bits << " bit");
        const QByteArray data = frames(10, c.channels * c.bits / 8);
        const auto sound =
            parseWav(riff({chunk("fmt ", pcmFormat(c.channels, c.rate, c.bits)), chunk("data", data)}));
        ASSERT_TRUE(sound);
        EXPECT_EQ(sound->channels, c.channels);
        EXPECT_EQ(sound->sampleRate, static_cast<int>(c.rate));
        EXPECT_EQ(sound->bitsPerSample, c.bits);
        EXPECT_EQ(sound->samples, data);
    }
}

TEST(ParseWav, ReadsTheShippedCues)
{
    for (const char* name : {"ding.wav", "notify.wav"}) {
        SCOPED_TRACE(name);
        const auto sound = readWavFile(QStringLiteral(VANTREL_SOURCE_DIR "/resources/sounds/") + name);
        ASSERT_TRUE(sound);
        EXPECT_EQ(sound->sampleRate, 22050);
        EXPECT_EQ(sound->channels, 1);
        EXPECT_EQ(sound->bitsPerSample, 16);
        EXPECT_GT(sound->samples.size(), 10000);
    }
}

TEST(ParseWav, SkipsOtherChunksAndHonoursTheirPadding)
{
    const QByteArray data = frames(6, 2);
    // An odd-sized chunk before "fmt ", a list after it, and a trailing chunk after the data.
    const auto sound =
        parseWav(riff({chunk("junk", QByteArray(3, 'x')), chunk("fmt ", pcmFormat(1, 8000, 16)),
                       chunk("LIST", QByteArray("INFOISFT\x05\0\0\0abcde", 17)), chunk("data", data),
                       chunk("cue ", QByteArray(4, '\0'))}));
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->samples, data);

    // Odd 8-bit data followed by its pad byte, then more chunks: the pad is no sample.
    const QByteArray odd = frames(5, 1);
    const auto padded =
        parseWav(riff({chunk("fmt ", pcmFormat(1, 8000, 8)), chunk("data", odd), chunk("junk", "ab")}));
    ASSERT_TRUE(padded);
    EXPECT_EQ(padded->samples, odd);

    // The same data as the file's last bytes, without the pad byte some writers leave out.
    const auto unpadded = parseWav(riff({chunk("fmt ", pcmFormat(1, 8000, 8)), chunk("data", odd, false)}));
    ASSERT_TRUE(unpadded);
    EXPECT_EQ(unpadded->samples, odd);

    // A missing pad byte in the middle shifts every later chunk header: that file is refused.
    EXPECT_FALSE(parseWav(
        riff({chunk("fmt ", pcmFormat(1, 8000, 8)), chunk("junk", "abc", false), chunk("data", odd)})));
}

TEST(ParseWav, TakesTheExtensibleFormatWithPcmSamples)
{
    const QByteArray guidTail("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14);
    const auto extensible = [&](quint16 subformat, quint16 validBits) {
        QByteArray format =
            pcmFormat(2, 48000, 24, 0xFFFE) + u16(22) + u16(validBits) + u32(3) + u16(subformat);
        return riff({chunk("fmt ", format + guidTail), chunk("data", frames(4, 6))});
    };
    const auto sound = parseWav(extensible(1, 24));
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->bitsPerSample, 24);
    EXPECT_EQ(sound->samples, frames(4, 6));
    EXPECT_FALSE(parseWav(extensible(3, 24))) << "float samples";
    // Fewer valid bits sit at the top of their container, the rest zero: the containers are played.
    const auto padded = parseWav(extensible(1, 20));
    ASSERT_TRUE(padded);
    EXPECT_EQ(padded->bitsPerSample, 24);
    EXPECT_EQ(padded->samples, frames(4, 6));
}

TEST(ParseWav, RefusesOtherEncodingsAndLayouts)
{
    const QByteArray data = frames(8, 4);
    const auto withFormat = [&](const QByteArray& format) {
        return parseWav(riff({chunk("fmt ", format), chunk("data", data)}));
    };
    EXPECT_FALSE(withFormat(pcmFormat(1, 44100, 32, 3))) << "IEEE float";
    EXPECT_FALSE(withFormat(pcmFormat(1, 44100, 8, 6))) << "A-law";
    EXPECT_FALSE(withFormat(pcmFormat(1, 44100, 4, 0x11))) << "IMA ADPCM";
    EXPECT_FALSE(withFormat(pcmFormat(0, 44100, 16))) << "no channels";
    EXPECT_FALSE(withFormat(pcmFormat(6, 44100, 16))) << "5.1";
    EXPECT_FALSE(withFormat(pcmFormat(1, 0, 16))) << "0 Hz";
    EXPECT_FALSE(withFormat(pcmFormat(1, 1000000, 16))) << "1 MHz";
    EXPECT_FALSE(withFormat(pcmFormat(1, 44100, 16).left(14))) << "short fmt chunk";
}

TEST(ParseWav, ReadsSamplesByTheirWidthNotByTheBlockAlign)
{
    const QByteArray data = frames(8, 4);
    // 12-bit samples are stored in 16-bit containers, whatever the header's block align says.
    const auto twelveBits = parseWav(riff({chunk("fmt ", pcmFormat(2, 44100, 12)), chunk("data", data)}));
    ASSERT_TRUE(twelveBits);
    EXPECT_EQ(twelveBits->bitsPerSample, 16);
    EXPECT_EQ(twelveBits->samples, data);
    QByteArray wrongAlign = pcmFormat(2, 44100, 16);
    wrongAlign[12] = 3;
    const auto sound = parseWav(riff({chunk("fmt ", wrongAlign), chunk("data", data)}));
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->bytesPerFrame(), 4);
    EXPECT_EQ(sound->samples, data);
}

TEST(ParseWav, RefusesTruncatedAndLyingFiles)
{
    const QByteArray good = riff({chunk("fmt ", pcmFormat(1, 8000, 16)), chunk("data", frames(100, 2))});
    ASSERT_TRUE(parseWav(good));
    // Cut anywhere before the data's end: the data chunk claims more than there is, or a chunk is missing.
    for (const qsizetype cut :
         {qsizetype{0}, qsizetype{4}, qsizetype{11}, qsizetype{12}, qsizetype{20}, qsizetype{35},
          qsizetype{43}, qsizetype{44}, qsizetype{45}, qsizetype{100}, good.size() - 1}) {
        SCOPED_TRACE(cut);
        EXPECT_FALSE(parseWav(good.left(cut)));
    }
    // A data size far beyond the file, as a file cut while it was written would have.
    QByteArray lying = good;
    lying.replace(40, 4, u32(0xFFFFFFF0));
    EXPECT_FALSE(parseWav(lying));
    // A chunk size that would wrap a 32-bit offset.
    EXPECT_FALSE(parseWav(riff({chunk("fmt ", pcmFormat(1, 8000, 16)), QByteArray("junk") + u32(0xFFFFFFFF),
                                chunk("data", frames(4, 2))})));

    EXPECT_FALSE(parseWav(riff({chunk("fmt ", pcmFormat(1, 8000, 16))}))) << "no data";
    EXPECT_FALSE(parseWav(riff({chunk("data", frames(4, 2))}))) << "no format";
    EXPECT_FALSE(parseWav(riff({chunk("fmt ", pcmFormat(1, 8000, 16)), chunk("data", QByteArray())})))
        << "empty";
    EXPECT_FALSE(parseWav(riff({chunk("fmt ", pcmFormat(1, 8000, 16)), chunk("data", QByteArray(1, 'x'))})))
        << "less than a frame";
    QByteArray notWave = good;
    notWave.replace(8, 4, "AVI ");
    EXPECT_FALSE(parseWav(notWave));
    QByteArray notRiff = good;
    notRiff.replace(0, 4, "RIFX");
    EXPECT_FALSE(parseWav(notRiff)) << "big-endian RIFX";
}

TEST(ParseWav, TrustsTheChunksNotTheRiffSize)
{
    const QByteArray data = frames(10, 2);
    QByteArray wrongRiffSize = riff({chunk("fmt ", pcmFormat(1, 8000, 16)), chunk("data", data)});
    wrongRiffSize.replace(4, 4, u32(0));
    const auto sound = parseWav(wrongRiffSize);
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->samples, data);
    // A partial frame at the end of the data is dropped, the whole frames kept.
    const auto partial = parseWav(riff({chunk("fmt ", pcmFormat(2, 8000, 16)), chunk("data", data + "xyz")}));
    ASSERT_TRUE(partial);
    EXPECT_EQ(partial->samples, data);
}

TEST(ReadWavFile, RefusesMissingAndOversizedFiles)
{
    QTemporaryDir dir;
    EXPECT_FALSE(readWavFile(dir.filePath("missing.wav")));
    QFile big(dir.filePath("big.wav"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    const QByteArray header = riff({chunk("fmt ", pcmFormat(1, 8000, 8))}) + "data" + u32(maxWavFileBytes);
    big.write(header);
    ASSERT_TRUE(big.resize(header.size() + maxWavFileBytes));
    big.close();
    EXPECT_FALSE(readWavFile(big.fileName()));
}
