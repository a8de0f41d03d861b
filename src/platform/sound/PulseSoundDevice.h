#pragma once

#include "platform/SoundDevice.h"
#include "platform/sound/WavFile.h"

#include <QStringList>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

// Plays cue files through the PulseAudio server (PipeWire's stands in for it as well). The files are
// looked up, ignoring case, in the given folders in order (the program's folder first, then the
// installed data folder), and read whole on Open.
//
// A thread of the device's own, started with its first cue, talks to the server: play() only hands
// it the cue and returns. The thread writes the samples in short pieces into a stream with little
// buffered ahead, so that a new cue, or Close, cuts the one sounding almost at once. Without a server
// nothing plays and the next cue tries to connect again; an idle stream is let go after a while, so
// that the server can put the sound card to sleep.
class PulseSoundDevice : public SoundDevice {
public:
    explicit PulseSoundDevice(QStringList searchFolders);
    ~PulseSoundDevice() override;

    void setFileName(const QString& fileName) override;
    QString fileName() const override { return fileName_; }
    void close() override;
    void open() override;
    void play() override;
    void setVolume(int percent) override { volume_ = percent; }

    // The file the last Open found and could play; empty when there was none.
    QString openedPath() const { return openedPath_; }

    // How many cues the thread has started writing to the server, and how many pieces it has
    // written in all (for tests: whether the server took a cue, and whether a new one restarted it).
    std::uint64_t cuesStarted() const;
    std::uint64_t piecesWritten() const;

private:
    struct Player;
    QStringList folders_;
    QString fileName_;
    QString openedPath_;
    std::shared_ptr<const PcmSound> opened_;
    int volume_ = 100;
    // The opened cue at a lower volume, made once for each volume asked for.
    std::shared_ptr<const PcmSound> quieter_;
    int quieterVolume_ = 100;
    std::shared_ptr<const PcmSound> quieterOf_;
    bool isOpen_ = false;
    std::shared_ptr<Player> player_;
};

class PulseSoundDeviceFactory : public SoundDeviceFactory {
public:
    explicit PulseSoundDeviceFactory(QStringList searchFolders) : folders_(std::move(searchFolders)) {}
    std::unique_ptr<SoundDevice> create() override { return std::make_unique<PulseSoundDevice>(folders_); }

private:
    QStringList folders_;
};
