#include "ui/flow/CueChannel.h"

#include "platform/SoundDevice.h"

namespace {
const QString kCountCue = QStringLiteral("ding.WAV");

// A device that plays at the channel's level: the level is read at each Play, so a change in the
// settings reaches devices already handed out.
class DeviceAtLevel : public SoundDevice {
public:
    DeviceAtLevel(std::unique_ptr<SoundDevice> device, std::shared_ptr<const CueChannel::Level> level)
        : device_(std::move(device)), level_(std::move(level))
    {
    }
    void setFileName(const QString& fileName) override { device_->setFileName(fileName); }
    QString fileName() const override { return device_->fileName(); }
    void close() override { device_->close(); }
    void open() override { device_->open(); }
    void play() override
    {
        if (level_->muted)
            return;
        device_->setVolume(level_->volume);
        device_->play();
    }

private:
    std::unique_ptr<SoundDevice> device_;
    std::shared_ptr<const CueChannel::Level> level_;
};
} // namespace

CueChannel::CueChannel(SoundDeviceFactory& sounds) : sounds_(sounds) {}

CueChannel::~CueChannel() = default;

void CueChannel::openCountCue()
{
    count_ = atLevel(sounds_.create());
    count_->setFileName(kCountCue);
}

void CueChannel::releaseCountCue()
{
    if (count_)
        count_->close();
    count_.reset();
}

void CueChannel::playCountCue()
{
    if (count_)
        playCue(*count_);
}

std::unique_ptr<SoundDevice> CueChannel::newDevice()
{
    return atLevel(sounds_.create());
}

std::unique_ptr<SoundDevice> CueChannel::atLevel(std::unique_ptr<SoundDevice> device) const
{
    return std::make_unique<DeviceAtLevel>(std::move(device), level_);
}

void CueChannel::takeOutputFor(SoundDevice& device)
{
    if (count_ && count_.get() != &device)
        count_->close();
}
