#pragma once

#include "platform/SoundDevice.h"

#include <QDir>
#include <QStringList>

class QSoundEffect;

// Plays cue files with QSoundEffect. The files are looked up, ignoring case, in the given folders in
// order (the program's folder first, then the installed data folder).
class QtSoundDevice : public SoundDevice {
public:
    explicit QtSoundDevice(QStringList searchFolders);
    ~QtSoundDevice() override;

    void setFileName(const QString& fileName) override;
    QString fileName() const override { return fileName_; }
    void close() override;
    void open() override;
    void play() override;

    // The file the last Open found; empty when there was none.
    QString openedPath() const { return openedPath_; }

private:
    QStringList folders_;
    QString fileName_;
    bool isOpen_ = false;
    QString openedPath_;
    std::unique_ptr<QSoundEffect> effect_;
};

class QtSoundDeviceFactory : public SoundDeviceFactory {
public:
    explicit QtSoundDeviceFactory(QStringList searchFolders) : folders_(std::move(searchFolders)) {}
    std::unique_ptr<SoundDevice> create() override { return std::make_unique<QtSoundDevice>(folders_); }

private:
    QStringList folders_;
};
