#pragma once

#include <QString>
#include <memory>

class SoundDevice;
class SoundDeviceFactory;

// The program's sound output. The count has its cue (the main window's ding); a draw that sounds its
// own cues gets a device of its own here. Only one device holds the output at a time: a draw's cue
// takes it from the count's. Every device from here plays at the teacher's volume, or not at all
// while the cues are muted.
class CueChannel {
public:
    explicit CueChannel(SoundDeviceFactory& sounds);
    ~CueChannel();
    CueChannel(const CueChannel&) = delete;
    CueChannel& operator=(const CueChannel&) = delete;

    // The count's cue afresh, for a main window that was just built; closed and let go with it.
    void openCountCue();
    void releaseCountCue();
    // The count's cue; nullptr while no main window is loaded.
    SoundDevice* countCue() const { return count_.get(); }
    // Sounds the count's cue from its beginning.
    void playCountCue();

    // A device of its own for a window that sounds cues of its own.
    std::unique_ptr<SoundDevice> newDevice();
    // The device is about to play: the count's cue lets go of the output.
    void takeOutputFor(SoundDevice& device);

    // The loudness of every cue from the next one on, devices handed out before included.
    struct Level {
        int volume = 100;
        bool muted = false;
    };
    void setLevel(Level level) { *level_ = level; }
    Level level() const { return *level_; }

private:
    std::unique_ptr<SoundDevice> atLevel(std::unique_ptr<SoundDevice> device) const;

    SoundDeviceFactory& sounds_;
    std::shared_ptr<Level> level_ = std::make_shared<Level>();
    std::unique_ptr<SoundDevice> count_;
};
