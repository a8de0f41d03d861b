#include "models/countdown/Countdown.h"
#include "support/VirtualTimerDriver.h"

#include <gtest/gtest.h>

// A laptop closed while the count runs and opened again later: the count shows the time really
// left, once, without playing the missed seconds, the reminder or the end in a burst. A program that
// stood still meanwhile (stopped, or its event loop blocked) runs its missed seconds in a burst; a
// reminder the clock passed meanwhile is over there too.
namespace {

class CountdownAcrossASleep : public ::testing::Test {
protected:
    CountdownAcrossASleep()
    {
        QObject::connect(&countdown, &Countdown::countTextChanged, [this] { ++texts; });
        QObject::connect(&countdown, &Countdown::reminderReached, [this](int minutes, int seconds) {
            ++reminders;
            reminderCounts << QStringLiteral("%1:%2").arg(minutes).arg(seconds, 2, 10, QLatin1Char('0'));
            EXPECT_EQ(minutes, countdown.remainingMinutes());
            EXPECT_EQ(seconds, countdown.remainingSeconds());
        });
        QObject::connect(&countdown, &Countdown::timeUp, [this] { ++timeUps; });
    }

    // Runs the count until it shows the given text.
    void countUntil(const QString& text)
    {
        for (int i = 0; i < 6000 && countdown.countText() != text; ++i)
            timers.advance(Countdown::kTickMs);
        ASSERT_EQ(countdown.countText(), text);
        texts = 0;
    }

    // The time left when each reminder came, "m:ss", as its text says it.
    QStringList reminderCounts;
    VirtualTimerDriver timers;
    Countdown countdown{timers};
    int texts = 0;
    int reminders = 0;
    int timeUps = 0;
};

} // namespace

TEST_F(CountdownAcrossASleep, ShowsTheTimeReallyLeftOnWaking)
{
    countdown.start(10, 0, 0, 0);
    countUntil(QStringLiteral("05 : 00"));
    timers.advance(400);
    timers.suspend(3 * 60'000);
    EXPECT_EQ(countdown.countText(), QStringLiteral("02 : 00"));
    EXPECT_EQ(texts, 1) << "one new text, not a second-by-second replay";
    EXPECT_EQ(countdown.state(), Countdown::State::Running);

    // And on from there, on the second.
    timers.advance(600);
    EXPECT_EQ(countdown.countText(), QStringLiteral("01 : 59"));
}

TEST_F(CountdownAcrossASleep, AReminderPassedInTheSleepIsNotPlayedLate)
{
    countdown.start(10, 0, 3, 0);
    countUntil(QStringLiteral("05 : 00"));
    timers.suspend(4 * 60'000 + 500);
    EXPECT_EQ(countdown.countText(), QStringLiteral("01 : 00"));
    EXPECT_EQ(reminders, 0);
    EXPECT_EQ(texts, 1);
    EXPECT_EQ(countdown.state(), Countdown::State::Reminding);
    EXPECT_TRUE(countdown.isTicking());

    // A pause and a resume after it still know the reminder is behind.
    countdown.pause();
    countdown.resume();
    EXPECT_EQ(countdown.state(), Countdown::State::Reminding);
    timers.advance(60'000);
    EXPECT_EQ(reminders, 0);
    EXPECT_EQ(timeUps, 1);
}

TEST_F(CountdownAcrossASleep, AReminderDueOnTheWakingSecondComesAsUsual)
{
    countdown.start(10, 0, 3, 0);
    countUntil(QStringLiteral("05 : 00"));
    timers.suspend(2 * 60'000 + 500);
    EXPECT_EQ(countdown.countText(), QStringLiteral("03 : 00"));
    EXPECT_EQ(reminders, 1);
    EXPECT_EQ(countdown.state(), Countdown::State::Reminding);
}

TEST_F(CountdownAcrossASleep, AnEndPassedInTheSleepIsTimeUpOnce)
{
    countdown.start(10, 0, 3, 0);
    countUntil(QStringLiteral("05 : 00"));
    timers.suspend(20 * 60'000);
    EXPECT_EQ(countdown.countText(), QStringLiteral("00 : 00"));
    EXPECT_EQ(timeUps, 1);
    EXPECT_EQ(reminders, 0);
    EXPECT_EQ(texts, 1);
    EXPECT_FALSE(countdown.isTicking());
    timers.advance(10'000);
    EXPECT_EQ(timeUps, 1);
}

TEST_F(CountdownAcrossASleep, APauseHoldsThroughTheSleep)
{
    countdown.start(10, 0, 3, 0);
    countUntil(QStringLiteral("05 : 00"));
    countdown.pause();
    timers.suspend(20 * 60'000);
    EXPECT_EQ(countdown.countText(), QStringLiteral("05 : 00"));
    EXPECT_EQ(texts, 0);
    countdown.resume();
    timers.advance(1000);
    EXPECT_EQ(countdown.countText(), QStringLiteral("04 : 59"));
}

TEST_F(CountdownAcrossASleep, ASleepRightAfterTheStartCountsFromTheEnteredTime)
{
    // The first tick shows the entered time once more; the sleep takes whole seconds off that.
    countdown.start(1, 30, 0, 0);
    timers.suspend(10'500);
    EXPECT_EQ(countdown.countText(), QStringLiteral("01 : 21"));
    timers.advance(500);
    EXPECT_EQ(countdown.countText(), QStringLiteral("01 : 20"));
}

using CountdownThroughAStall = CountdownAcrossASleep;

TEST_F(CountdownThroughAStall, AReminderPassedWhileTheProgramStoodStillIsNotShownLate)
{
    // 01 : 00 with a reminder at 00 : 30, the program stopped at +10 s for 30 s.
    countdown.start(1, 0, 0, 30);
    timers.advance(10'000);
    EXPECT_EQ(countdown.countText(), QStringLiteral("00 : 51"));
    timers.stall(30'500);
    EXPECT_EQ(countdown.countText(), QStringLiteral("00 : 21")) << "the count follows the clock";
    EXPECT_EQ(reminders, 0) << "no 还剩0分30秒! with 21 s left";
    EXPECT_EQ(countdown.state(), Countdown::State::Reminding);

    // Time up on the clock's second, once.
    timers.advance(20'499);
    EXPECT_EQ(timeUps, 0);
    timers.advance(1);
    EXPECT_EQ(countdown.countText(), QStringLiteral("00 : 00"));
    EXPECT_EQ(timeUps, 1);
    EXPECT_EQ(reminders, 0);
}

TEST_F(CountdownThroughAStall, AReminderStillDueWhenTheProgramGoesOnComesAsUsual)
{
    // Stalls that end within the reminder's own second, one short and one long: its time is still
    // the time left.
    for (const qint64 stall : {900, 21'400}) {
        SCOPED_TRACE(stall);
        reminders = 0;
        reminderCounts.clear();
        countdown.start(1, 0, 0, 30);
        timers.advance(31'400 - stall);
        timers.stall(stall);
        EXPECT_EQ(reminderCounts, QStringList{QStringLiteral("0:30")});
        countdown.stop();
    }
}

TEST_F(CountdownThroughAStall, AnEndPassedWhileTheProgramStoodStillIsTimeUpOnce)
{
    countdown.start(1, 0, 0, 30);
    timers.advance(10'000);
    timers.stall(5 * 60'000);
    EXPECT_EQ(countdown.countText(), QStringLiteral("00 : 00"));
    EXPECT_EQ(timeUps, 1);
    EXPECT_EQ(reminders, 0);
    EXPECT_FALSE(countdown.isTicking());
}

TEST_F(CountdownThroughAStall, APauseLongerThanTheCountIsNoStall)
{
    // The clock the count follows starts again at each resume: a long pause makes no later tick late.
    countdown.start(1, 0, 0, 30);
    countUntil(QStringLiteral("00 : 45"));
    countdown.pause();
    timers.advance(10 * 60'000);
    countdown.resume();
    countUntil(QStringLiteral("00 : 30"));
    EXPECT_EQ(reminderCounts, QStringList{QStringLiteral("0:30")});
}
