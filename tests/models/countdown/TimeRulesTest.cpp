#include "models/countdown/PresetStore.h"
#include "models/countdown/TimeEntry.h"
#include "models/countdown/TimeText.h"

#include <gtest/gtest.h>

TEST(TimeText, TwoDigitsPadOnlyBelowTen)
{
    EXPECT_EQ(twoDigitText(0), "00");
    EXPECT_EQ(twoDigitText(7), "07");
    EXPECT_EQ(twoDigitText(10), "10");
    EXPECT_EQ(twoDigitText(99), "99");
}

TEST(TimeText, CountDisplayKeepsItsSevenCharacterLayout)
{
    for (int m : {0, 5, 10, 99}) {
        for (int s : {0, 9, 59}) {
            const QString text = countDisplayText(m, s);
            ASSERT_EQ(text.size(), 7) << text.toStdString();
            EXPECT_EQ(displayMinutes(text).toInt(), m);
            EXPECT_EQ(displaySeconds(text).toInt(), s);
        }
    }
    EXPECT_EQ(countDisplayText(1, 0), "01 : 00");
}

TEST(TimeText, SummaryReminderAndStripTexts)
{
    EXPECT_EQ(summaryText(1, 0, 0, 30), "定时 01:00 提前 00:30");
    EXPECT_EQ(summaryText(12, 5, 3, 0), "定时 12:05 提前 03:00");
    EXPECT_EQ(reminderText(0, 30), "还剩0分30秒!");
    EXPECT_EQ(reminderText(2, 5), "还剩2分5秒!");
    EXPECT_EQ(totalText(5, 0), "定时05分00秒");
    EXPECT_EQ(runningText(5, 0, "04 : 09"), "定时05分00秒,剩余04分09秒");
}

TEST(ReadBox, TrimsAndReadsLeadingDigits)
{
    EXPECT_EQ(readBox(""), 0);
    EXPECT_EQ(readBox("   "), 0);
    EXPECT_EQ(readBox("05"), 5);
    EXPECT_EQ(readBox(" 7 "), 7);
    EXPECT_EQ(readBox("4a"), 4);
    EXPECT_EQ(readBox("a4"), 0);
    EXPECT_EQ(readBox("-3"), 0);
    EXPECT_EQ(readBox("99"), 99);
    // Text longer than the boxes allow must not wrap around into a negative time.
    EXPECT_EQ(readBox("99999999999"), 32767);
}

TEST(CheckStart, TwentySecondsAndTenSecondsMarginAreTheLimits)
{
    EXPECT_EQ(checkStart(0, 20, 0, 0), StartCheck::Accepted);
    EXPECT_EQ(checkStart(0, 19, 0, 0), StartCheck::TooShort);
    EXPECT_EQ(checkStart(0, 0, 0, 0), StartCheck::TooShort);
    EXPECT_EQ(checkStart(1, 0, 0, 50), StartCheck::Accepted);
    EXPECT_EQ(checkStart(1, 0, 0, 51), StartCheck::ReminderTooLate);
    // The short-total message wins when both rules fail.
    EXPECT_EQ(checkStart(0, 15, 0, 30), StartCheck::TooShort);
    EXPECT_EQ(checkStart(99, 99, 99, 99), StartCheck::ReminderTooLate);
    EXPECT_EQ(checkStart(99, 99, 0, 0), StartCheck::Accepted);
}

TEST(CheckStart, SecondsBoxAcceptsUpToFiftyNine)
{
    EXPECT_TRUE(secondsAcceptable("59"));
    EXPECT_TRUE(secondsAcceptable("0"));
    EXPECT_TRUE(secondsAcceptable(""));
    EXPECT_FALSE(secondsAcceptable("60"));
    EXPECT_FALSE(secondsAcceptable("75"));
}

TEST(PresetStoreDefaults, ThreePresetsDifferInTheirSeconds)
{
    PresetStore store;
    for (int p = 0; p < 3; ++p) {
        EXPECT_EQ(store.text(p, PresetStore::TotalMinutes), "01");
        EXPECT_EQ(store.text(p, PresetStore::TotalSeconds), QString("0%1").arg(p));
        EXPECT_EQ(store.text(p, PresetStore::ReminderMinutes), "00");
        EXPECT_EQ(store.text(p, PresetStore::ReminderSeconds), QString("3%1").arg(p));
    }
    EXPECT_EQ(PresetStore::caption(2), "定时三");
}
