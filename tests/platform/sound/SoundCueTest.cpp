#include "platform/sound/PulseSoundDevice.h"
#include "support/FakeSound.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(PlayCue, SendsCloseOpenPlayInThatOrder)
{
    FakeSoundFactory factory;
    auto device = factory.create();
    device->setFileName("ding.WAV");
    playCue(*device);
    playCue(*device);
    EXPECT_EQ(factory.log.commands, (QStringList{"1:Close", "1:Open ding.WAV", "1:Play ding.WAV", "1:Close",
                                                 "1:Open ding.WAV", "1:Play ding.WAV"}));
}

TEST(PulseSoundDevice, MissingFileOpensNothingAndPlaysSilently)
{
    QTemporaryDir dir;
    PulseSoundDevice device({dir.path()});
    device.setFileName("ding.WAV");
    for (int i = 0; i < 5; ++i)
        playCue(device);
    EXPECT_TRUE(device.openedPath().isEmpty());
}

TEST(PulseSoundDevice, ShippedCueIsFoundWhateverTheCaseOfItsName)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::copy(QStringLiteral(VANTREL_SOURCE_DIR "/resources/sounds/ding.wav"),
                            dir.filePath("ding.wav")));
    PulseSoundDevice device({QStringLiteral("/nonexistent"), dir.path()});
    device.setFileName("ding.WAV");
    // Restarting a cue that is still sounding goes through Close/Open/Play again on the same file.
    playCue(device);
    playCue(device);
    EXPECT_EQ(device.openedPath(), dir.filePath("ding.wav"));
    device.setFileName("notify.wav");
    playCue(device);
    EXPECT_TRUE(device.openedPath().isEmpty());
}
