#include "platform/sound/WavFile.h"

#include <QFile>
#include <QtEndian>
#include <cstring>
#include <memory>
#include <sndfile.h>

namespace {

// The sound server takes at most 384 kHz; nothing below 1 Hz makes sense.
constexpr int maxSampleRate = 384000;

// The file's bytes as libsndfile reads a file: the whole file is read (and its size checked) before
// the decoder sees it, so that a file that grows or changes meanwhile cannot mislead it.
struct BytesSource {
    const QByteArray& bytes;
    sf_count_t position = 0;
};

sf_count_t sourceLength(void* source)
{
    return static_cast<BytesSource*>(source)->bytes.size();
}

sf_count_t sourceSeek(sf_count_t offset, int whence, void* source)
{
    auto* s = static_cast<BytesSource*>(source);
    const sf_count_t base = whence == SEEK_CUR ? s->position : whence == SEEK_END ? s->bytes.size() : 0;
    const sf_count_t target = base + offset;
    if (target < 0 || target > s->bytes.size())
        return -1;
    s->position = target;
    return s->position;
}

sf_count_t sourceRead(void* destination, sf_count_t count, void* source)
{
    auto* s = static_cast<BytesSource*>(source);
    const sf_count_t available = std::max<sf_count_t>(0, s->bytes.size() - s->position);
    const sf_count_t taken = std::min(count, available);
    std::memcpy(destination, s->bytes.constData() + s->position, static_cast<std::size_t>(taken));
    s->position += taken;
    return taken;
}

sf_count_t sourceWrite(const void*, sf_count_t, void*)
{
    return 0;
}

sf_count_t sourceTell(void* source)
{
    return static_cast<BytesSource*>(source)->position;
}

// The width of a sample of a PCM encoding; 0 for every other encoding.
int pcmBits(int format)
{
    switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_U8:
        return 8;
    case SF_FORMAT_PCM_16:
        return 16;
    case SF_FORMAT_PCM_24:
        return 24;
    case SF_FORMAT_PCM_32:
        return 32;
    default:
        return 0;
    }
}

// Puts a sample that libsndfile scaled to 32 bits back into the file's own width, little-endian (8-bit
// samples unsigned): the sound server then plays what the file holds, bit for bit.
void appendSample(QByteArray& samples, qint32 value, int bits)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    switch (bits) {
    case 8:
        samples.append(static_cast<char>((value >> 24) + 128));
        break;
    case 16:
        samples.append(bytes + 2, 2);
        break;
    case 24:
        samples.append(bytes + 1, 3);
        break;
    default:
        samples.append(bytes, 4);
        break;
    }
}

} // namespace

std::optional<PcmSound> parseWav(const QByteArray& file)
{
    if (file.size() > maxWavFileBytes)
        return std::nullopt;
    BytesSource source{file};
    SF_VIRTUAL_IO io{sourceLength, sourceSeek, sourceRead, sourceWrite, sourceTell};
    SF_INFO info{};
    const std::unique_ptr<SNDFILE, int (*)(SNDFILE*)> decoder(sf_open_virtual(&io, SFM_READ, &info, &source),
                                                              sf_close);
    if (!decoder)
        return std::nullopt;
    // Cues are wave files with PCM samples; the sound server takes one or two channels.
    const int container = info.format & SF_FORMAT_TYPEMASK;
    const int bits = pcmBits(info.format);
    if ((container != SF_FORMAT_WAV && container != SF_FORMAT_WAVEX) || bits == 0)
        return std::nullopt;
    if (info.channels != 1 && info.channels != 2)
        return std::nullopt;
    if (info.samplerate < 1 || info.samplerate > maxSampleRate || info.frames < 1)
        return std::nullopt;

    // A data chunk that claims more frames than the file holds is a file cut short (a copy broken off)
    // or one that lies about its size: nothing of it is trusted.
    SF_CHUNK_INFO dataChunk{};
    std::memcpy(dataChunk.id, "data", 4);
    dataChunk.id_size = 4;
    SF_CHUNK_INFO declared{};
    SF_CHUNK_ITERATOR* chunks = sf_get_chunk_iterator(decoder.get(), &dataChunk);
    if (!chunks || sf_get_chunk_size(chunks, &declared) != SF_ERR_NO_ERROR)
        return std::nullopt;
    const sf_count_t bytesPerFrame = sf_count_t{info.channels} * ((bits + 7) / 8);
    if (sf_count_t{declared.datalen} / bytesPerFrame > info.frames)
        return std::nullopt;

    std::vector<qint32> decoded(static_cast<std::size_t>(info.frames * info.channels));
    const sf_count_t frames = sf_readf_int(decoder.get(), decoded.data(), info.frames);
    if (frames != info.frames)
        return std::nullopt;
    PcmSound sound;
    sound.sampleRate = info.samplerate;
    sound.channels = info.channels;
    sound.bitsPerSample = bits;
    sound.samples.reserve(static_cast<qsizetype>(frames * info.channels * bits / 8));
    for (sf_count_t i = 0; i < frames * info.channels; ++i)
        appendSample(sound.samples, decoded[static_cast<std::size_t>(i)], bits);
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
