#include "models/settings/ProgramOptions.h"

#include "platform/SettingsStore.h"
#include "support/ReadOnlySettings.h"

#include <gtest/gtest.h>

namespace {

class Options : public ::testing::Test {
protected:
    Options()
    {
        QObject::connect(&options, &ProgramOptions::changed, [this] { ++changes; });
    }

    InMemorySettings settings;
    ProgramOptions options{settings};
    int changes = 0;
};

} // namespace

TEST_F(Options, AllOffWithoutASettingsFile)
{
    EXPECT_FALSE(options.overtime());
    EXPECT_FALSE(options.paceColours());
    EXPECT_FALSE(options.rememberPresets());
    EXPECT_EQ(options.coverScreens(), CoverScreens::None);
    EXPECT_EQ(options.volume(), 100);
    EXPECT_FALSE(options.muted());
}

TEST_F(Options, ReadsWhatASchoolPresets)
{
    settings.setValue(QStringLiteral("countdown/overtime"), QStringLiteral("true"));
    settings.setValue(QStringLiteral("countdown/paceColours"), QStringLiteral(" TRUE "));
    settings.setValue(QStringLiteral("countdown/rememberPresets"), QStringLiteral("1"));
    settings.setValue(QStringLiteral("timeUp/coverScreens"), QStringLiteral("all"));
    settings.setValue(QStringLiteral("cues/volume"), QStringLiteral("35"));
    settings.setValue(QStringLiteral("cues/muted"), QStringLiteral("yes"));
    EXPECT_TRUE(options.overtime());
    EXPECT_TRUE(options.paceColours());
    EXPECT_TRUE(options.rememberPresets());
    EXPECT_EQ(options.coverScreens(), CoverScreens::EveryScreen);
    EXPECT_EQ(options.volume(), 35);
    EXPECT_TRUE(options.muted());

    settings.setValue(QStringLiteral("timeUp/coverScreens"), QStringLiteral("true"));
    EXPECT_EQ(options.coverScreens(), CoverScreens::ShowScreen);
}

TEST_F(Options, BadValuesCountAsTheDefault)
{
    for (const char* bad : {"maybe", "", "2", "tru", "true false"}) {
        settings.setValue(QStringLiteral("countdown/overtime"), QString::fromLatin1(bad));
        settings.setValue(QStringLiteral("timeUp/coverScreens"), QString::fromLatin1(bad));
        settings.setValue(QStringLiteral("cues/muted"), QString::fromLatin1(bad));
        EXPECT_FALSE(options.overtime()) << bad;
        EXPECT_EQ(options.coverScreens(), CoverScreens::None) << bad;
        EXPECT_FALSE(options.muted()) << bad;
    }
    for (const char* bad : {"-1", "101", "50%", "loud", "", "1e2", "99999999999"}) {
        settings.setValue(QStringLiteral("cues/volume"), QString::fromLatin1(bad));
        EXPECT_EQ(options.volume(), 100) << bad;
    }
    settings.setValue(QStringLiteral("cues/volume"), QStringLiteral("0"));
    EXPECT_EQ(options.volume(), 0);
}

TEST_F(Options, SettersKeepTheValueAndTellOfChanges)
{
    EXPECT_TRUE(options.setOvertime(true));
    EXPECT_EQ(settings.value(QStringLiteral("countdown/overtime")), QStringLiteral("true"));
    EXPECT_EQ(changes, 1);
    options.setOvertime(true);
    EXPECT_EQ(changes, 1) << "the same value again is no change";

    options.setCoverScreens(CoverScreens::EveryScreen);
    EXPECT_EQ(settings.value(QStringLiteral("timeUp/coverScreens")), QStringLiteral("all"));
    options.setCoverScreens(CoverScreens::None);
    EXPECT_EQ(settings.value(QStringLiteral("timeUp/coverScreens")), QStringLiteral("false"));
    options.setVolume(140);
    EXPECT_EQ(settings.value(QStringLiteral("cues/volume")), QStringLiteral("100"));
    options.setVolume(-5);
    EXPECT_EQ(options.volume(), 0);
    options.setMuted(true);
    options.setPaceColours(true);
    options.setRememberPresets(true);
    EXPECT_TRUE(options.muted() && options.paceColours() && options.rememberPresets());
    EXPECT_EQ(changes, 8);
}

TEST(OptionsOnAReadOnlyFile, HoldForTheRunAndSaySoWhenNotKept)
{
    ReadOnlySettings settings;
    ProgramOptions options(settings);
    EXPECT_FALSE(options.setPaceColours(true));
    EXPECT_TRUE(options.paceColours());
}
