#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The samples of a PCM wave file, ready for the sound server: little-endian, interleaved, unsigned for
// 8 bits and signed for 16, 24 and 32 bits.
struct PcmSound {
    int sampleRate = 0;
    int channels = 0;
    int bitsPerSample = 0;
    QByteArray samples; // whole frames only

    int bytesPerFrame() const { return channels * bitsPerSample / 8; }
};

// The largest wave file read: the cues last a second or so; anything near this is not a cue.
inline constexpr qint64 maxWavFileBytes = 16 * 1024 * 1024;

// Decodes a wave file's PCM samples (8, 16, 24 or 32 bits, mono or stereo, any rate the sound server
// takes) with libsndfile, keeping their width. Anything else (another encoding or container, a file
// without a format or a sample, a file cut short or whose sizes do not fit it) gives nothing: the file
// may have been replaced by the user with anything at all.
std::optional<PcmSound> parseWav(const QByteArray& file);

// Reads and parses the file at path; nothing when it cannot be read, is too large or is no PCM wave.
std::optional<PcmSound> readWavFile(const QString& path);
