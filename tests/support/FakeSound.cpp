#include "support/FakeSound.h"

int FakeSoundLog::plays(const QString& fileName) const
{
    return int(commands.filter(QStringLiteral(":Play ") + fileName).size());
}

void FakeSoundDevice::close()
{
    log_.commands << QStringLiteral("%1:Close").arg(index_);
}

void FakeSoundDevice::open()
{
    log_.commands << QStringLiteral("%1:Open %2").arg(index_).arg(file_);
}

void FakeSoundDevice::play()
{
    log_.commands << QStringLiteral("%1:Play %2").arg(index_).arg(file_);
    log_.playVolumes << volume_;
}

std::unique_ptr<SoundDevice> FakeSoundFactory::create()
{
    return std::make_unique<FakeSoundDevice>(log, ++created_);
}
