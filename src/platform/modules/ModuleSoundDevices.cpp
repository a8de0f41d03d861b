#include "platform/modules/ModuleSoundDevices.h"

#include <QMetaObject>
#include <algorithm>

// A window's device in front of the back-end's: it keeps the file name until the back-end is there.
class DeferredSoundDevice : public SoundDevice {
public:
    explicit DeferredSoundDevice(ModuleSoundDeviceFactory& factory) : factory_(&factory)
    {
        factory.devices_.push_back(this);
    }
    ~DeferredSoundDevice() override
    {
        if (factory_)
            std::erase(factory_->devices_, this);
    }

    void setFileName(const QString& fileName) override
    {
        fileName_ = fileName;
        if (device_)
            device_->setFileName(fileName);
    }
    QString fileName() const override { return fileName_; }
    void close() override
    {
        if (device_)
            device_->close();
    }
    void open() override
    {
        if (attach())
            device_->open();
    }
    void play() override
    {
        if (device_)
            device_->play();
    }
    void setVolume(int percent) override
    {
        volume_ = percent;
        if (device_)
            device_->setVolume(percent);
    }

    // Opens the cue ahead (the back-end reads and decodes it), leaving the device closed as it was.
    void preload()
    {
        if (fileName_.isEmpty() || device_ || !attach())
            return;
        device_->open();
        device_->close();
    }

    void forgetFactory() { factory_ = nullptr; }

private:
    bool attach()
    {
        if (device_)
            return true;
        SoundDeviceFactory* backend = factory_ ? factory_->backend() : nullptr;
        if (!backend)
            return false;
        device_ = backend->create();
        device_->setFileName(fileName_);
        device_->setVolume(volume_);
        return true;
    }

    ModuleSoundDeviceFactory* factory_;
    QString fileName_;
    int volume_ = 100;
    std::unique_ptr<SoundDevice> device_;
};

ModuleSoundDeviceFactory::ModuleSoundDeviceFactory(BackendLoader loader) : loader_(std::move(loader)) {}

ModuleSoundDeviceFactory::~ModuleSoundDeviceFactory()
{
    if (loading_.joinable())
        loading_.join();
    for (DeferredSoundDevice* device : devices_)
        device->forgetFactory();
}

std::unique_ptr<SoundDevice> ModuleSoundDeviceFactory::create()
{
    return std::make_unique<DeferredSoundDevice>(*this);
}

void ModuleSoundDeviceFactory::prepare()
{
    if (settled_ || loading_.joinable())
        return;
    loading_ = std::thread([this] {
        // Loading the libraries is what takes long. The back-end's devices are made on this
        // factory's thread, once it has taken the loaded back-end.
        loaded_ = loader_();
        QMetaObject::invokeMethod(
            &answers_, [this] { takeLoaded(); }, Qt::QueuedConnection);
    });
}

void ModuleSoundDeviceFactory::takeLoaded()
{
    if (settled_)
        return;
    if (loading_.joinable())
        loading_.join();
    backend_ = std::move(loaded_);
    settled_ = true;
    // Devices made meanwhile read their cues now, before the first one must sound.
    const std::vector<DeferredSoundDevice*> devices = devices_;
    for (DeferredSoundDevice* device : devices)
        device->preload();
}

SoundDeviceFactory* ModuleSoundDeviceFactory::backend()
{
    if (!settled_) {
        if (!loading_.joinable())
            loaded_ = loader_();
        takeLoaded();
    }
    return backend_.get();
}
