#include "models/countdown/Countdown.h"

#include "support/VirtualTimerDriver.h"

#include <gtest/gtest.h>
#include <tuple>
#include <type_traits>

namespace {

// Counts a signal's emissions and keeps the arguments of the last one.
template <class... Args> struct Recorder {
    template <class Sender, class Signal> Recorder(Sender* sender, Signal signal)
    {
        QObject::connect(sender, signal, [this](Args... args) {
            ++count;
            last = std::make_tuple(args...);
        });
    }
    int count = 0;
    std::tuple<std::decay_t<Args>...> last{};
};

class CountdownModel : public ::testing::Test {
protected:
    // The count after each of the next n ticks.
    QStringList ticks(int n)
    {
        QStringList texts;
        for (int i = 0; i < n; ++i) {
            timers.advance(Countdown::kTickMs);
            texts << countdown.countText();
        }
        return texts;
    }

    VirtualTimerDriver timers;
    Countdown countdown{timers};
};

} // namespace

TEST_F(CountdownModel, StandsStillUntilAnAcceptedStart)
{
    EXPECT_TRUE(countdown.isStopped());
    EXPECT_EQ(countdown.countText(), "05 : 00");
    Recorder<Countdown::State> states(&countdown, &Countdown::stateChanged);

    EXPECT_EQ(countdown.start(0, 19, 0, 0), StartCheck::TooShort);
    EXPECT_EQ(countdown.start(1, 0, 0, 51), StartCheck::ReminderTooLate);
    timers.advance(5000);
    EXPECT_TRUE(countdown.isStopped());
    EXPECT_FALSE(countdown.isTicking());
    EXPECT_EQ(countdown.countText(), "05 : 00");
    EXPECT_EQ(countdown.startedMinutes(), 0);
    EXPECT_EQ(states.count, 0);

    EXPECT_EQ(countdown.start(0, 20, 0, 0), StartCheck::Accepted);
    EXPECT_TRUE(countdown.isCounting());
    EXPECT_EQ(countdown.state(), Countdown::State::Running);
    EXPECT_EQ(countdown.countText(), "00 : 20");
    EXPECT_EQ(countdown.startedSeconds(), 20);
    ASSERT_EQ(states.count, 1);
    EXPECT_EQ(std::get<0>(states.last), Countdown::State::Running);
}

TEST_F(CountdownModel, FirstTickShowsTheEnteredTimeOnceMoreThenBorrowsAMinute)
{
    countdown.start(10, 0, 0, 0);
    EXPECT_EQ(ticks(3), (QStringList{"10 : 00", "09 : 59", "09 : 58"}));
    ticks(57);
    EXPECT_EQ(ticks(2), (QStringList{"09 : 00", "08 : 59"}));
}

TEST_F(CountdownModel, ReminderAndTimeUpComeOnTheirTicksOnce)
{
    Recorder<int, int> reminders(&countdown, &Countdown::reminderReached);
    Recorder<> timeUps(&countdown, &Countdown::timeUp);
    Recorder<const QString&> texts(&countdown, &Countdown::countTextChanged);
    countdown.start(1, 0, 0, 30);

    ticks(30);
    EXPECT_EQ(countdown.countText(), "00 : 31");
    EXPECT_EQ(reminders.count, 0);
    ticks(1);
    ASSERT_EQ(reminders.count, 1);
    EXPECT_EQ(reminders.last, std::make_tuple(0, 30));
    EXPECT_EQ(countdown.state(), Countdown::State::Reminding);
    EXPECT_TRUE(countdown.isCounting());

    ticks(29);
    EXPECT_EQ(countdown.countText(), "00 : 01");
    EXPECT_EQ(timeUps.count, 0);
    ticks(1);
    EXPECT_EQ(countdown.countText(), "00 : 00");
    EXPECT_EQ(timeUps.count, 1);
    EXPECT_FALSE(countdown.isTicking());
    // Until the time-up effect takes over, the run still counts as counting.
    EXPECT_TRUE(countdown.isCounting());
    EXPECT_EQ(reminders.count, 1);

    // The start text, then one text a second except the first tick's repeat.
    EXPECT_EQ(texts.count, 1 + 60);
    ticks(10);
    EXPECT_EQ(countdown.countText(), "00 : 00");
    EXPECT_EQ(timeUps.count, 1);
}

TEST_F(CountdownModel, ZeroReminderNeverFires)
{
    Recorder<int, int> reminders(&countdown, &Countdown::reminderReached);
    countdown.start(0, 25, 0, 0);
    ticks(26);
    EXPECT_EQ(reminders.count, 0);
    EXPECT_EQ(countdown.state(), Countdown::State::Running);
}

TEST_F(CountdownModel, TimeUpEffectCountsAsStoppedAndEndsOnTheEnteredTotal)
{
    countdown.start(0, 25, 0, 10);
    ticks(26);
    ASSERT_EQ(countdown.countText(), "00 : 00");
    countdown.beginTimeUp();
    EXPECT_EQ(countdown.state(), Countdown::State::TimeUp);
    EXPECT_TRUE(countdown.isStopped());
    EXPECT_FALSE(countdown.isCounting());

    countdown.finishTimeUp();
    EXPECT_EQ(countdown.state(), Countdown::State::Stopped);
    EXPECT_EQ(countdown.countText(), "00 : 25");
}

TEST_F(CountdownModel, TimeUpEffectDoesNotTakeOverARunningCount)
{
    countdown.start(0, 25, 0, 0);
    ticks(3);
    countdown.beginTimeUp();
    EXPECT_EQ(countdown.state(), Countdown::State::Running);
    countdown.stop();
    countdown.beginTimeUp();
    EXPECT_EQ(countdown.state(), Countdown::State::Stopped);
}

TEST_F(CountdownModel, PauseHoldsTheSecondAndResumeStartsAFreshSecond)
{
    countdown.start(1, 0, 0, 0);
    ticks(16);
    ASSERT_EQ(countdown.countText(), "00 : 45");
    timers.advance(400);
    countdown.pause();
    EXPECT_TRUE(countdown.isPaused());
    EXPECT_FALSE(countdown.isCounting());
    EXPECT_FALSE(countdown.isStopped());
    timers.advance(10000);
    EXPECT_EQ(countdown.countText(), "00 : 45");

    countdown.resume();
    EXPECT_EQ(countdown.state(), Countdown::State::Running);
    timers.advance(999);
    EXPECT_EQ(countdown.countText(), "00 : 45");
    timers.advance(1);
    EXPECT_EQ(countdown.countText(), "00 : 44");
}

TEST_F(CountdownModel, PausedAfterTheReminderResumesReminding)
{
    countdown.start(0, 30, 0, 20);
    ticks(11);
    ASSERT_EQ(countdown.state(), Countdown::State::Reminding);
    countdown.pause();
    countdown.resume();
    EXPECT_EQ(countdown.state(), Countdown::State::Reminding);
    // Pause and resume only apply where they mean something.
    countdown.resume();
    EXPECT_EQ(countdown.state(), Countdown::State::Reminding);
    countdown.stop();
    countdown.pause();
    EXPECT_TRUE(countdown.isStopped());
}

TEST_F(CountdownModel, StopPutsTheEnteredTotalBackAndTheNextStartBeginsAfresh)
{
    Recorder<int, int> reminders(&countdown, &Countdown::reminderReached);
    countdown.start(2, 15, 0, 40);
    ticks(3);
    countdown.pause();
    countdown.stop();
    EXPECT_TRUE(countdown.isStopped());
    EXPECT_FALSE(countdown.isTicking());
    EXPECT_EQ(countdown.countText(), "02 : 15");
    EXPECT_EQ(countdown.remainingMinutes(), 2);
    EXPECT_EQ(countdown.remainingSeconds(), 15);
    timers.advance(5000);
    EXPECT_EQ(countdown.countText(), "02 : 15");

    countdown.start(0, 50, 0, 40);
    EXPECT_EQ(countdown.countText(), "00 : 50");
    ticks(11);
    EXPECT_EQ(countdown.countText(), "00 : 40");
    EXPECT_EQ(reminders.count, 1);
    EXPECT_EQ(countdown.startedMinutes(), 0);
}

TEST_F(CountdownModel, ATickHandlerThatWaitsIsNotEnteredAgain)
{
    // A window that answers the count with a question keeps the loop (and time) going inside the
    // handler; the tick under way is not run a second time meanwhile.
    int entered = 0;
    int depth = 0;
    int deepest = 0;
    QObject::connect(&countdown, &Countdown::countTextChanged, [&] {
        ++entered;
        deepest = std::max(deepest, ++depth);
        if (entered == 2)
            timers.advance(3000);
        --depth;
    });
    countdown.start(1, 0, 0, 0);
    ticks(3);
    EXPECT_GE(entered, 3);
    EXPECT_EQ(deepest, 1);
}
