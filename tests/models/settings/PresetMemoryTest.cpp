#include "models/countdown/PresetMemory.h"

#include "platform/SettingsStore.h"

#include <gtest/gtest.h>

namespace {

QStringList textsOf(const PresetStore& presets, int preset)
{
    return {presets.text(preset, PresetStore::TotalMinutes), presets.text(preset, PresetStore::TotalSeconds),
            presets.text(preset, PresetStore::ReminderMinutes),
            presets.text(preset, PresetStore::ReminderSeconds)};
}

} // namespace

TEST(PresetMemory, KeepsEachPresetsLastStartBetweenRuns)
{
    InMemorySettings settings;
    EXPECT_TRUE(presetmemory::remember(settings, 1, 8, 0, 1, 0));
    EXPECT_TRUE(presetmemory::remember(settings, 2, 45, 30, 5, 5));
    EXPECT_EQ(settings.value(QStringLiteral("countdown/preset2")), QStringLiteral("08:00,01:00"));

    // The next run starts from the shipped presets and takes what was kept.
    PresetStore presets;
    presetmemory::restore(settings, presets);
    EXPECT_EQ(textsOf(presets, 0), (QStringList{"01", "00", "00", "30"})) << "nothing kept: as shipped";
    EXPECT_EQ(textsOf(presets, 1), (QStringList{"08", "00", "01", "00"}));
    EXPECT_EQ(textsOf(presets, 2), (QStringList{"45", "30", "05", "05"}));

    EXPECT_FALSE(presetmemory::remember(settings, 3, 8, 0, 1, 0)) << "there are three presets";
    EXPECT_FALSE(presetmemory::remember(settings, -1, 8, 0, 1, 0));
}

TEST(PresetMemory, TextsThatCouldNotBeStartedLeaveThePresetAsItIs)
{
    for (const char* bad : {"", "8:00", "08:00,01:00,02:00", "08:60,01:00", "08:00,01:99", "100:00,01:00",
                            "00:10,00:00", "01:00,00:55", "aa:bb,cc:dd", "-1:00,00:30", "08:00;01:00"}) {
        InMemorySettings settings;
        settings.setValue(QStringLiteral("countdown/preset1"), QString::fromLatin1(bad));
        PresetStore presets;
        presetmemory::restore(settings, presets);
        EXPECT_EQ(textsOf(presets, 0), (QStringList{"01", "00", "00", "30"})) << bad;
    }
    // Written by hand, with one digit and blanks around it: still a time.
    EXPECT_TRUE(presetmemory::parse(QStringLiteral(" 5:0,1:5 ")));
    EXPECT_EQ((*presetmemory::parse(QStringLiteral("5:0,1:5")))[3], QStringLiteral("05"));
}
