#include "platform/sound/PulseSoundDevice.h"

#include "platform/files/ProgramFolder.h"
#include "platform/sound/CueVolume.h"

#include <algorithm>
#include <chrono>
#include <pulse/simple.h>

namespace {

using namespace std::chrono_literals;

// Each write hands the server this much; the server keeps about four pieces ahead of the speaker.
constexpr auto pieceLength = 20ms;
constexpr int piecesAhead = 4;
// A stream left with nothing to play is closed after this long.
constexpr auto idleStreamLifetime = 3s;
// How long the end of a device waits for its thread to let go of the server.
constexpr auto stopPatience = 1s;

pa_sample_format_t sampleFormat(int bitsPerSample)
{
    switch (bitsPerSample) {
    case 8:
        return PA_SAMPLE_U8;
    case 16:
        return PA_SAMPLE_S16LE;
    case 24:
        return PA_SAMPLE_S24LE;
    default:
        return PA_SAMPLE_S32LE;
    }
}

bool sameFormat(const PcmSound& a, const PcmSound& b)
{
    return a.sampleRate == b.sampleRate && a.channels == b.channels && a.bitsPerSample == b.bitsPerSample;
}

std::size_t pieceBytes(const PcmSound& sound)
{
    const auto frames =
        std::max<std::int64_t>(1, sound.sampleRate * std::int64_t{pieceLength.count()} / 1000);
    return static_cast<std::size_t>(frames) * static_cast<std::size_t>(sound.bytesPerFrame());
}

} // namespace

// The thread that talks to the server, and what the GUI thread asks of it.
struct PulseSoundDevice::Player {
    std::mutex mutex;
    std::condition_variable changed;
    // Each play() or close() counts one request; wanted is the cue to play from its start, or none.
    std::uint64_t requests = 0;
    std::shared_ptr<const PcmSound> wanted;
    bool quitting = false;
    bool finished = false;
    std::uint64_t cuesStarted = 0;
    std::uint64_t piecesWritten = 0;
    std::thread thread;

    // The thread shares the player, so that a thread stuck with a server that stopped taking sound
    // can be left behind without anything it uses going away under it.
    static std::shared_ptr<Player> start()
    {
        auto player = std::make_shared<Player>();
        player->thread = std::thread([player] { player->run(); });
        return player;
    }

    // Ends the thread, waiting at most `patience` for it: a server that hangs must not hang the
    // program's end with it.
    void stop(std::chrono::milliseconds patience)
    {
        std::unique_lock lock(mutex);
        quitting = true;
        changed.notify_all();
        const bool ended = changed.wait_for(lock, patience, [this] { return finished; });
        lock.unlock();
        if (ended)
            thread.join();
        else
            thread.detach();
    }

    void request(std::shared_ptr<const PcmSound> sound)
    {
        {
            std::lock_guard lock(mutex);
            ++requests;
            wanted = std::move(sound);
        }
        changed.notify_all();
    }

    static pa_simple* connect(const PcmSound& sound)
    {
        const pa_sample_spec spec{sampleFormat(sound.bitsPerSample), static_cast<uint32_t>(sound.sampleRate),
                                  static_cast<uint8_t>(sound.channels)};
        const auto piece = static_cast<uint32_t>(pieceBytes(sound));
        pa_buffer_attr buffer;
        buffer.maxlength = static_cast<uint32_t>(-1);
        buffer.tlength = piece * piecesAhead;
        // Every write is a whole piece, so one piece is enough to start on.
        buffer.prebuf = piece;
        buffer.minreq = static_cast<uint32_t>(-1);
        buffer.fragsize = static_cast<uint32_t>(-1);
        return pa_simple_new(nullptr, "Vantrel", PA_STREAM_PLAYBACK, nullptr, "cue", &spec, nullptr, &buffer,
                             nullptr);
    }

    void run()
    {
        pa_simple* stream = nullptr;
        std::shared_ptr<const PcmSound> streamFormat; // the cue the stream was opened for
        std::shared_ptr<const PcmSound> playing;
        std::size_t offset = 0;
        std::uint64_t seen = 0;
        QByteArray piece;

        const auto dropStream = [&] {
            if (stream)
                pa_simple_free(stream);
            stream = nullptr;
            streamFormat.reset();
        };

        for (;;) {
            std::shared_ptr<const PcmSound> next;
            bool restart = false;
            {
                std::unique_lock lock(mutex);
                const auto hasWork = [&] { return quitting || requests != seen; };
                const bool midCue = playing && offset < static_cast<std::size_t>(playing->samples.size());
                if (!midCue) {
                    if (stream) {
                        if (!changed.wait_for(lock, idleStreamLifetime, hasWork)) {
                            // Nothing more to play: let what is queued play out, then let go.
                            lock.unlock();
                            pa_simple_drain(stream, nullptr);
                            dropStream();
                            playing.reset();
                            continue;
                        }
                    } else {
                        changed.wait(lock, hasWork);
                    }
                }
                if (quitting)
                    break;
                if (requests != seen) {
                    seen = requests;
                    next = wanted;
                    restart = true;
                }
            }

            if (restart) {
                // Cut whatever the last cue still has queued. A stream that fails here has lost its
                // server (restarted since the last cue, say): this cue connects anew.
                if (stream && pa_simple_flush(stream, nullptr) < 0)
                    dropStream();
                playing = std::move(next);
                offset = 0;
                if (playing && stream && !sameFormat(*streamFormat, *playing))
                    dropStream();
                if (playing && !stream) {
                    stream = connect(*playing);
                    if (stream)
                        streamFormat = playing;
                    else
                        playing.reset(); // no server now; the next cue tries again
                }
                if (playing) {
                    std::lock_guard lock(mutex);
                    ++cuesStarted;
                }
            }
            if (!playing || !stream)
                continue;

            // One piece; the last one is filled up with silence so that every write is a whole piece.
            const std::size_t size = pieceBytes(*playing);
            const std::size_t total = static_cast<std::size_t>(playing->samples.size());
            const std::size_t taken = std::min(size, total - offset);
            piece = playing->samples.mid(static_cast<qsizetype>(offset), static_cast<qsizetype>(taken));
            if (taken < size)
                piece.append(static_cast<qsizetype>(size - taken),
                             playing->bitsPerSample == 8 ? '\x80' : '\0');
            offset += taken;
            // Blocks only until the server has room, at most about a piece's length.
            if (pa_simple_write(stream, piece.constData(), static_cast<std::size_t>(piece.size()), nullptr) <
                0) {
                // The server went away; the next cue connects again.
                dropStream();
                playing.reset();
                continue;
            }
            std::lock_guard lock(mutex);
            ++piecesWritten;
        }
        dropStream();
        std::lock_guard lock(mutex);
        finished = true;
        changed.notify_all();
    }
};

PulseSoundDevice::PulseSoundDevice(QStringList searchFolders) : folders_(std::move(searchFolders)) {}

PulseSoundDevice::~PulseSoundDevice()
{
    if (player_)
        player_->stop(stopPatience);
}

void PulseSoundDevice::setFileName(const QString& fileName)
{
    fileName_ = fileName;
}

void PulseSoundDevice::close()
{
    isOpen_ = false;
    if (player_)
        player_->request(nullptr);
}

void PulseSoundDevice::open()
{
    QString path;
    for (const QString& folder : folders_) {
        path = findFileIgnoringCase(folder, fileName_);
        if (!path.isEmpty())
            break;
    }
    if (path.isEmpty()) {
        openedPath_.clear();
        opened_.reset();
        isOpen_ = false;
        return;
    }
    // The same file is read once; each cue opens it again before it plays.
    if (path != openedPath_ || !opened_) {
        std::optional<PcmSound> sound = readWavFile(path);
        opened_ = sound ? std::make_shared<const PcmSound>(std::move(*sound)) : nullptr;
        openedPath_ = opened_ ? path : QString();
    }
    isOpen_ = opened_ != nullptr;
}

void PulseSoundDevice::play()
{
    if (!isOpen_)
        return;
    if (!player_)
        player_ = Player::start();
    if (volume_ >= 100) {
        player_->request(opened_);
        return;
    }
    if (!quieter_ || quieterVolume_ != volume_ || quieterOf_ != opened_) {
        quieter_ = std::make_shared<const PcmSound>(withVolume(*opened_, volume_));
        quieterVolume_ = volume_;
        quieterOf_ = opened_;
    }
    player_->request(quieter_);
}

std::uint64_t PulseSoundDevice::cuesStarted() const
{
    if (!player_)
        return 0;
    std::lock_guard lock(player_->mutex);
    return player_->cuesStarted;
}

std::uint64_t PulseSoundDevice::piecesWritten() const
{
    if (!player_)
        return 0;
    std::lock_guard lock(player_->mutex);
    return player_->piecesWritten;
}
