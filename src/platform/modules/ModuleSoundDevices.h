#pragma once

#include "platform/SoundDevice.h"

#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

class DeferredSoundDevice;

// Sound devices whose back-end is loaded when it is first needed: the windows get their devices at
// once, and the back-end (the sound server's client, a module of its own) comes up behind them. prepare() loads it
// in the background and opens every device's cue ahead, so the first cue sounds on time; a device used
// before that loads the back-end then and there. Without a back-end the devices stay silent.
class ModuleSoundDeviceFactory : public SoundDeviceFactory {
public:
    // Loads the back-end (from any thread) and returns it; nullptr when there is none.
    using BackendLoader = std::function<std::unique_ptr<SoundDeviceFactory>()>;

    explicit ModuleSoundDeviceFactory(BackendLoader loader);
    ~ModuleSoundDeviceFactory() override;

    std::unique_ptr<SoundDevice> create() override;

    // Loads the back-end on a thread of its own, then, on this thread, opens the cues of the devices
    // that have one. Does nothing when the back-end is loaded or loading.
    void prepare();
    // Whether the back-end has been looked for (found or not).
    bool isSettled() const { return settled_; }

private:
    friend class DeferredSoundDevice;
    // The back-end, loaded now if prepare() has not done it yet; nullptr when there is none.
    SoundDeviceFactory* backend();
    // Takes what the loader found; the loading thread, if any, has ended by then.
    void takeLoaded();

    BackendLoader loader_;
    std::unique_ptr<SoundDeviceFactory> backend_;
    // Written by the loading thread, read after it is joined.
    std::unique_ptr<SoundDeviceFactory> loaded_;
    bool settled_ = false;
    std::thread loading_;
    // Drops the loader's answer once this factory is gone.
    QObject answers_;
    std::vector<DeferredSoundDevice*> devices_;
};
