#pragma once

#include <QString>
#include <memory>

// A window's sound device: a wave file named without a folder, and the commands Close, Open and Play.
// No command reports anything; a missing file or a machine without sound simply plays nothing.
class SoundDevice {
public:
    virtual ~SoundDevice() = default;
    virtual void setFileName(const QString& fileName) = 0;
    virtual QString fileName() const = 0;
    virtual void close() = 0;
    virtual void open() = 0;
    virtual void play() = 0;
    // How loud the cues play from the next Play on, 0 to 100 per cent of the file. A device that cannot
    // change it plays the file as it is.
    virtual void setVolume(int /*percent*/) {}
};

class SoundDeviceFactory {
public:
    virtual ~SoundDeviceFactory() = default;
    virtual std::unique_ptr<SoundDevice> create() = 0;
};

// Plays the device's cue from its beginning, cutting off a cue that is still sounding, and returns
// at once.
inline void playCue(SoundDevice& device)
{
    device.close();
    device.open();
    device.play();
}
