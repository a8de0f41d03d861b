#include "models/countdown/Countdown.h"
#include "models/countdown/PaceColours.h"
#include "models/display/CountdownMirror.h"
#include "support/VirtualTimerDriver.h"

#include <gtest/gtest.h>

// Overtime and pace: after 00 : 00 the count goes on upward when overtime is on, and the pace says
// at a glance where the count stands against its reminder and its end.
namespace {

class CountdownOvertime : public ::testing::Test {
protected:
    CountdownOvertime()
    {
        QObject::connect(&countdown, &Countdown::timeUp, [this] { ++timeUps; });
        QObject::connect(&countdown, &Countdown::paceChanged,
                         [this](Countdown::Pace pace) { paces << pace; });
    }

    // Runs the count until it shows the given text.
    void countUntil(const QString& text)
    {
        for (int i = 0; i < 6000 && countdown.countText() != text; ++i)
            timers.advance(Countdown::kTickMs);
        ASSERT_EQ(countdown.countText(), text);
    }

    // What the conductor does around the time-up effect: it begins on the effect's first step and
    // ends six seconds later.
    void runTimeUpEffect()
    {
        timers.advance(50);
        countdown.beginTimeUp();
        timers.advance(5950);
        countdown.finishTimeUp();
    }

    VirtualTimerDriver timers;
    Countdown countdown{timers};
    int timeUps = 0;
    QList<Countdown::Pace> paces;
};

} // namespace

TEST_F(CountdownOvertime, CountsUpPastTheEndUntilStopped)
{
    countdown.setOvertime(true);
    countdown.start(0, 20, 0, 5);
    countUntil(QStringLiteral("00 : 00"));
    EXPECT_EQ(timeUps, 1);
    EXPECT_TRUE(countdown.isTicking()) << "the tick goes on past 00 : 00";
    EXPECT_TRUE(countdown.isOverrun());

    // The time-up effect runs as it does without overtime, while the overtime is counted already.
    timers.advance(50);
    countdown.beginTimeUp();
    EXPECT_EQ(countdown.state(), Countdown::State::TimeUp);
    timers.advance(5950);
    EXPECT_EQ(countdown.countText(), QStringLiteral("+00 : 06"));
    countdown.finishTimeUp();
    EXPECT_EQ(countdown.state(), Countdown::State::Overtime);
    EXPECT_TRUE(countdown.isCounting());

    timers.advance(66'000);
    EXPECT_EQ(countdown.countText(), QStringLiteral("+01 : 12"));
    EXPECT_EQ(countdown.overtimeSeconds(), 72);
    EXPECT_EQ(stripTimeLine(countdown), QStringLiteral("定时00分20秒,超时01分12秒"));
    EXPECT_EQ(enlargedDigits(countdown.countText()), QStringLiteral("+01 : 12"));
    EXPECT_EQ(timeUps, 1) << "00 : 00 is reached once";

    countdown.stop();
    EXPECT_TRUE(countdown.isStopped());
    EXPECT_FALSE(countdown.isTicking());
    EXPECT_FALSE(countdown.isOverrun());
    EXPECT_EQ(countdown.countText(), QStringLiteral("00 : 20"));

    // A new start counts down afresh.
    countdown.start(0, 20, 0, 5);
    timers.advance(2000);
    EXPECT_EQ(countdown.countText(), QStringLiteral("00 : 19"));
}

TEST_F(CountdownOvertime, PausesAndContinuesInOvertime)
{
    countdown.setOvertime(true);
    countdown.start(0, 20, 0, 0);
    countUntil(QStringLiteral("00 : 00"));
    runTimeUpEffect();
    countUntil(QStringLiteral("+00 : 10"));

    countdown.pause();
    EXPECT_TRUE(countdown.isPaused());
    timers.advance(30'000);
    EXPECT_EQ(countdown.countText(), QStringLiteral("+00 : 10"));
    EXPECT_EQ(stripTimeLine(countdown), countdownStatusText(Countdown::State::Paused));

    countdown.resume();
    EXPECT_EQ(countdown.state(), Countdown::State::Overtime);
    timers.advance(3000);
    EXPECT_EQ(countdown.countText(), QStringLiteral("+00 : 13"));
}

TEST_F(CountdownOvertime, StopsAtTheEndWithOvertimeOff)
{
    // Off, as without a settings file: the count ends at 00 : 00 and stands ready again.
    countdown.start(0, 20, 0, 0);
    countUntil(QStringLiteral("00 : 00"));
    EXPECT_FALSE(countdown.isTicking());
    runTimeUpEffect();
    EXPECT_EQ(countdown.state(), Countdown::State::Stopped);
    EXPECT_EQ(countdown.countText(), QStringLiteral("00 : 20"));
    timers.advance(10'000);
    EXPECT_EQ(countdown.countText(), QStringLiteral("00 : 20"));
}

TEST_F(CountdownOvertime, StopsAtTheMostTheDisplayHolds)
{
    countdown.setOvertime(true);
    countdown.start(0, 20, 0, 0);
    countUntil(QStringLiteral("00 : 00"));
    runTimeUpEffect();
    timers.suspend(200LL * 60'000);
    EXPECT_EQ(countdown.countText(), QStringLiteral("+99 : 59"));
    timers.advance(5000);
    EXPECT_EQ(countdown.countText(), QStringLiteral("+99 : 59"));
}

TEST_F(CountdownOvertime, ASleepAcrossTheEndCountsTheOvertimeSlept)
{
    countdown.setOvertime(true);
    countdown.start(1, 0, 0, 0);
    countUntil(QStringLiteral("00 : 30"));
    timers.advance(400);
    // Asleep for 30 s to the end and 45 s past it.
    timers.suspend(75'000);
    EXPECT_EQ(timeUps, 1) << "the end passed in the sleep is time up, once";
    EXPECT_TRUE(countdown.isOverrun());
    EXPECT_EQ(countdown.countText(), QStringLiteral("+00 : 45"));

    runTimeUpEffect();
    EXPECT_EQ(countdown.state(), Countdown::State::Overtime);
    timers.advance(600);
    EXPECT_EQ(countdown.countText(), QStringLiteral("+00 : 52"));

    // Asleep again while in overtime: on from where the clock stands.
    timers.suspend(60'000);
    EXPECT_EQ(countdown.countText(), QStringLiteral("+01 : 52"));
    EXPECT_EQ(timeUps, 1);
}

TEST_F(CountdownOvertime, PaceFollowsTheReminderAndTheEnd)
{
    countdown.setOvertime(true);
    EXPECT_EQ(countdown.pace(), Countdown::Pace::None);
    countdown.start(0, 30, 0, 10);
    EXPECT_EQ(countdown.pace(), Countdown::Pace::Ahead);
    countUntil(QStringLiteral("00 : 11"));
    EXPECT_EQ(countdown.pace(), Countdown::Pace::Ahead);
    timers.advance(Countdown::kTickMs);
    EXPECT_EQ(countdown.countText(), QStringLiteral("00 : 10"));
    EXPECT_EQ(countdown.pace(), Countdown::Pace::Closing);

    // Paused, the colour stays.
    countdown.pause();
    EXPECT_EQ(countdown.pace(), Countdown::Pace::Closing);
    countdown.resume();

    countUntil(QStringLiteral("00 : 01"));
    EXPECT_EQ(countdown.pace(), Countdown::Pace::Closing);
    timers.advance(Countdown::kTickMs);
    EXPECT_EQ(countdown.pace(), Countdown::Pace::Over);
    runTimeUpEffect();
    EXPECT_EQ(countdown.pace(), Countdown::Pace::Over);
    countdown.pause();
    EXPECT_EQ(countdown.pace(), Countdown::Pace::Over);
    countdown.stop();
    EXPECT_EQ(countdown.pace(), Countdown::Pace::None);

    const QList<Countdown::Pace> expected{Countdown::Pace::Ahead, Countdown::Pace::Closing,
                                          Countdown::Pace::Over, Countdown::Pace::None};
    EXPECT_EQ(paces, expected) << "each change told once";
}

TEST_F(CountdownOvertime, PaceWithoutAReminderGoesFromAheadToOver)
{
    countdown.start(0, 20, 0, 0);
    countUntil(QStringLiteral("00 : 01"));
    EXPECT_EQ(countdown.pace(), Countdown::Pace::Ahead);
    timers.advance(Countdown::kTickMs);
    EXPECT_EQ(countdown.pace(), Countdown::Pace::Over);
    runTimeUpEffect();
    EXPECT_EQ(countdown.pace(), Countdown::Pace::None);
}

TEST_F(CountdownOvertime, ASleepPastTheReminderIsClosingIn)
{
    countdown.start(2, 0, 1, 0);
    countUntil(QStringLiteral("01 : 30"));
    timers.advance(400);
    timers.suspend(45'000);
    EXPECT_EQ(countdown.countText(), QStringLiteral("00 : 45"));
    EXPECT_EQ(countdown.pace(), Countdown::Pace::Closing);
}

TEST(PaceColours, ReadableOnTheWindowsLightBackground)
{
    // The rule itself: black on white is the most there is, a colour against itself none.
    EXPECT_NEAR(contrastRatio({0, 0, 0}, {255, 255, 255}), 21.0, 0.01);
    EXPECT_NEAR(contrastRatio({120, 30, 200}, {120, 30, 200}), 1.0, 1e-9);
    EXPECT_NEAR(contrastRatio({255, 0, 0}, {255, 255, 255}), 4.0, 0.01);

    const Rgb lightGrey{239, 239, 239};
    for (Countdown::Pace pace : {Countdown::Pace::Ahead, Countdown::Pace::Closing, Countdown::Pace::Over})
        EXPECT_GE(contrastRatio(paceColour(pace), lightGrey), 4.5) << int(pace);
    // Three different colours, and the shipped red where pace colours are off.
    EXPECT_NE(paceColour(Countdown::Pace::Ahead), paceColour(Countdown::Pace::Closing));
    EXPECT_NE(paceColour(Countdown::Pace::Closing), paceColour(Countdown::Pace::Over));
    EXPECT_EQ(countColour(Countdown::Pace::Ahead, false), kCountRed);
    EXPECT_EQ(countColour(Countdown::Pace::None, true), kCountRed);
    EXPECT_EQ(countColour(Countdown::Pace::Closing, true), paceColour(Countdown::Pace::Closing));
}
