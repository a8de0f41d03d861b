// Sound devices in front of a back-end loaded later: on a thread after start, or on the spot when a cue
// is needed first.
#include "platform/modules/ModuleSoundDevices.h"

#include "support/FakeSound.h"

#include <QTest>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace {

struct Backend {
    std::atomic<int> loads{0};
    std::atomic<bool> loadedOffMainThread{false};
    FakeSoundFactory* created = nullptr;
    bool available = true;

    ModuleSoundDeviceFactory::BackendLoader loader()
    {
        const auto mainThread = std::this_thread::get_id();
        return [this, mainThread]() -> std::unique_ptr<SoundDeviceFactory> {
            ++loads;
            loadedOffMainThread = std::this_thread::get_id() != mainThread;
            if (!available)
                return nullptr;
            auto factory = std::make_unique<FakeSoundFactory>();
            created = factory.get();
            return factory;
        };
    }
};

TEST(ModuleSoundDevices, PrepareLoadsTheBackEndOffTheWindowThreadAndReadsEveryCueAheadWithoutPlaying)
{
    Backend backend;
    ModuleSoundDeviceFactory factory(backend.loader());
    auto main = factory.create();
    auto draw = factory.create();
    main->setFileName(QStringLiteral("ding.WAV"));
    draw->setFileName(QStringLiteral("notify.wav"));
    EXPECT_EQ(backend.loads, 0);

    factory.prepare();
    factory.prepare();
    ASSERT_TRUE(QTest::qWaitFor([&] { return factory.isSettled(); }, 10000));
    EXPECT_EQ(backend.loads, 1);
    EXPECT_TRUE(backend.loadedOffMainThread);
    ASSERT_NE(backend.created, nullptr);
    EXPECT_EQ(backend.created->log.commands,
              (QStringList{"1:Open ding.WAV", "1:Close", "2:Open notify.wav", "2:Close"}));

    // The first cue goes straight to the back-end's device.
    playCue(*main);
    EXPECT_EQ(backend.created->log.commands.mid(4),
              (QStringList{"1:Close", "1:Open ding.WAV", "1:Play ding.WAV"}));
}

TEST(ModuleSoundDevices, CueNeededBeforeTheBackEndIsLoadedLoadsItThereAndSounds)
{
    Backend backend;
    ModuleSoundDeviceFactory factory(backend.loader());
    auto device = factory.create();
    device->setFileName(QStringLiteral("ding.WAV"));
    playCue(*device);
    EXPECT_EQ(backend.loads, 1);
    EXPECT_FALSE(backend.loadedOffMainThread);
    ASSERT_NE(backend.created, nullptr);
    EXPECT_EQ(backend.created->log.plays(QStringLiteral("ding.WAV")), 1);
    // A later prepare has nothing left to do.
    factory.prepare();
    EXPECT_EQ(backend.loads, 1);
    EXPECT_EQ(device->fileName(), QStringLiteral("ding.WAV"));
}

TEST(ModuleSoundDevices, CueNeededWhileTheBackEndLoadsWaitsForThatLoadInsteadOfASecondOne)
{
    Backend backend;
    ModuleSoundDeviceFactory factory(backend.loader());
    auto device = factory.create();
    device->setFileName(QStringLiteral("ding.WAV"));
    factory.prepare();
    playCue(*device);
    EXPECT_EQ(backend.loads, 1);
    ASSERT_NE(backend.created, nullptr);
    EXPECT_EQ(backend.created->log.plays(QStringLiteral("ding.WAV")), 1);
}

TEST(ModuleSoundDevices, WithoutABackEndEveryDeviceStaysSilent)
{
    Backend backend;
    backend.available = false;
    ModuleSoundDeviceFactory factory(backend.loader());
    auto device = factory.create();
    device->setFileName(QStringLiteral("ding.WAV"));
    factory.prepare();
    ASSERT_TRUE(QTest::qWaitFor([&] { return factory.isSettled(); }, 10000));
    for (int i = 0; i < 3; ++i)
        playCue(*device);
    EXPECT_EQ(backend.loads, 1);
    EXPECT_EQ(device->fileName(), QStringLiteral("ding.WAV"));
}

TEST(ModuleSoundDevices, DeviceOutlivingItsFactoryIsHarmless)
{
    Backend backend;
    std::unique_ptr<SoundDevice> device;
    {
        ModuleSoundDeviceFactory factory(backend.loader());
        device = factory.create();
        device->setFileName(QStringLiteral("ding.WAV"));
        factory.prepare();
    }
    playCue(*device);
    EXPECT_LE(backend.loads, 1);
}

} // namespace
