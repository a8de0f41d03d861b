#include "models/display/CountdownMirror.h"

#include "support/VirtualTimerDriver.h"

#include <gtest/gtest.h>

namespace {

class CountdownMirrorTest : public ::testing::Test {
protected:
    VirtualTimerDriver timers;
    Countdown countdown{timers};
};

} // namespace

TEST_F(CountdownMirrorTest, TheStripLineGivesTheSetAndTheRemainingTimeOnlyWhileCounting)
{
    ASSERT_EQ(countdown.start(9, 0, 0, 0), StartCheck::Accepted);
    timers.advance(2000); // the first tick shows the entered time once more
    EXPECT_EQ(stripTimeLine(countdown), QStringLiteral("定时09分00秒,剩余08分59秒"));

    countdown.pause();
    EXPECT_EQ(stripTimeLine(countdown), QStringLiteral("  当前计时状态：暂停计时"));

    countdown.stop();
    EXPECT_EQ(stripTimeLine(countdown), QStringLiteral("  当前计时状态：停止计时"));
}

TEST_F(CountdownMirrorTest, TheStripLineFollowsTheCountAndPadsTheSetTime)
{
    ASSERT_EQ(countdown.start(5, 7, 0, 0), StartCheck::Accepted);
    EXPECT_EQ(stripTimeLine(countdown), QStringLiteral("定时05分07秒,剩余05分07秒"));
    timers.advance(307000);
    EXPECT_EQ(stripTimeLine(countdown), QStringLiteral("定时05分07秒,剩余00分01秒"));
    countdown.stop();
    // Up to 99 minutes can be set; the fields widen no further.
    ASSERT_EQ(countdown.start(99, 59, 0, 0), StartCheck::Accepted);
    EXPECT_EQ(stripTimeLine(countdown), QStringLiteral("定时99分59秒,剩余99分59秒"));
}

TEST(CountdownMirror, StatusWordsAndTheSetTime)
{
    EXPECT_EQ(countdownStatusText(Countdown::State::Running), QStringLiteral("  当前计时状态：正在计时"));
    EXPECT_EQ(countdownStatusText(Countdown::State::Paused), QStringLiteral("  当前计时状态：暂停计时"));
    EXPECT_EQ(countdownStatusText(Countdown::State::Stopped), QStringLiteral("  当前计时状态：停止计时"));
    EXPECT_EQ(setTimeText(9, 5), QStringLiteral("定时09分05秒"));
    EXPECT_EQ(setTimeText(10, 0), QStringLiteral("定时10分00秒"));
}

TEST(CountdownMirror, TheEnlargedDigitsAreTheMinutesAndSecondsOfTheCount)
{
    EXPECT_EQ(enlargedDigits(QStringLiteral("08 : 59")), QStringLiteral("08 : 59"));
    EXPECT_EQ(enlargedDigits(QStringLiteral("00 : 00")), QStringLiteral("00 : 00"));
    // Only the two digit pairs are taken, whatever stands between them.
    EXPECT_EQ(enlargedDigits(QStringLiteral("12 - 34")), QStringLiteral("12 : 34"));
}
