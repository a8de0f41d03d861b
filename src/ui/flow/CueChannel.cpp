#include "ui/flow/CueChannel.h"

#include "platform/SoundDevice.h"

namespace {
const QString kCountCue = QStringLiteral("ding.WAV");
} // namespace

CueChannel::CueChannel(SoundDeviceFactory& sounds) : sounds_(sounds) {}

CueChannel::~CueChannel() = default;

void CueChannel::openCountCue()
{
    count_ = sounds_.create();
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
    return sounds_.create();
}

void CueChannel::takeOutputFor(SoundDevice& device)
{
    if (count_ && count_.get() != &device)
        count_->close();
}
