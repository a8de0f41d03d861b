#pragma once

#include "platform/SoundDevice.h"

#include <QStringList>
#include <memory>
#include <vector>

// Sound devices that write every command into one shared log, e.g. "Form1:Close", "1:Open ding.WAV".
class FakeSoundLog {
public:
    QStringList commands;
    int plays(const QString& fileName) const;
    // The volume each Play played at, in order (not among the commands).
    QList<int> playVolumes;
};

class FakeSoundDevice : public SoundDevice {
public:
    FakeSoundDevice(FakeSoundLog& log, int index) : log_(log), index_(index) {}
    void setFileName(const QString& fileName) override { file_ = fileName; }
    QString fileName() const override { return file_; }
    void close() override;
    void open() override;
    void play() override;
    void setVolume(int percent) override { volume_ = percent; }

private:
    FakeSoundLog& log_;
    int index_;
    QString file_;
    int volume_ = 100;
};

class FakeSoundFactory : public SoundDeviceFactory {
public:
    std::unique_ptr<SoundDevice> create() override;
    FakeSoundLog log;

private:
    int created_ = 0;
};
