#include "platform/QtSoundDevice.h"

#include "platform/ProgramFolder.h"

#include <QSoundEffect>
#include <QUrl>

QtSoundDevice::QtSoundDevice(QStringList searchFolders) : folders_(std::move(searchFolders)) {}

QtSoundDevice::~QtSoundDevice() = default;

void QtSoundDevice::setFileName(const QString& fileName)
{
    fileName_ = fileName;
}

void QtSoundDevice::close()
{
    // With no audio output QSoundEffect stays "playing" forever; stop() is what lets play() restart.
    if (effect_)
        effect_->stop();
    isOpen_ = false;
}

void QtSoundDevice::open()
{
    QString path;
    for (const QString& folder : folders_) {
        path = findFileIgnoringCase(folder, fileName_);
        if (!path.isEmpty())
            break;
    }
    openedPath_ = path;
    if (path.isEmpty())
        return;
    const QUrl source = QUrl::fromLocalFile(path);
    if (!effect_)
        effect_ = std::make_unique<QSoundEffect>();
    if (effect_->source() != source)
        effect_->setSource(source);
    isOpen_ = true;
}

void QtSoundDevice::play()
{
    if (!isOpen_ || !effect_)
        return;
    effect_->stop();
    effect_->play();
}
