#include "models/countdown/PauseBlink.h"
#include "models/countdown/ReminderBlink.h"
#include "models/countdown/TimeUpSlide.h"
#include "support/VirtualTimerDriver.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

template <class Effect>
QList<typename Effect::Step> stepsOf(Effect& effect, VirtualTimerDriver& timers, int ms)
{
    QList<typename Effect::Step> steps;
    auto connection = QObject::connect(&effect, &Effect::stepped,
                                       [&](const typename Effect::Step& step) { steps << step; });
    timers.advance(ms);
    QObject::disconnect(connection);
    return steps;
}

} // namespace

TEST(ReminderBlink, FiveFlipsSevenHoldsAndAnEndOnTheThirteenthTick)
{
    VirtualTimerDriver timers;
    ReminderBlink blink(timers);
    blink.start();
    const auto steps = stepsOf(blink, timers, 20 * ReminderBlink::kTickMs);
    ASSERT_EQ(steps.size(), 13);
    for (int i = 0; i < 13; ++i) {
        EXPECT_EQ(steps[i].tick, i + 1);
        EXPECT_EQ(steps[i].first, i == 0) << i;
        EXPECT_EQ(steps[i].flip, i < 5) << i;
        EXPECT_EQ(steps[i].last, i == 12) << i;
    }
    EXPECT_FALSE(blink.isRunning());
    EXPECT_EQ(blink.ticks(), 0);

    // The next reminder runs its whole course again.
    blink.start();
    const auto again = stepsOf(blink, timers, 13 * ReminderBlink::kTickMs);
    ASSERT_EQ(again.size(), 13);
    EXPECT_TRUE(again.front().first);
    EXPECT_TRUE(again.back().last);
}

TEST(ReminderBlink, RemembersTheMainWindowFromTheFirstTickAndTheStripFromAny)
{
    VirtualTimerDriver timers;
    ReminderBlink blink(timers);
    QObject::connect(&blink, &ReminderBlink::stepped, [&](const ReminderBlink::Step& step) {
        // The main window is hidden from tick 1 on by the flips; the strip shows up on tick 3.
        blink.noteVisible(step.tick == 1 ? false : step.tick % 2 == 0, step.tick == 3);
        if (step.last) {
            EXPECT_FALSE(blink.mainWasVisible());
            EXPECT_TRUE(blink.stripWasVisible());
            blink.forgetVisible();
        }
    });
    blink.start();
    timers.advance(13 * ReminderBlink::kTickMs);
    EXPECT_FALSE(blink.stripWasVisible());

    blink.keepMainInView();
    blink.start();
    timers.advance(ReminderBlink::kTickMs);
    EXPECT_TRUE(blink.mainWasVisible()) << "kept from the last effect";
}

TEST(TimeUpSlide, SixSecondsOfTicksOfWhichTheFirstFortyOneSlide)
{
    VirtualTimerDriver timers;
    TimeUpSlide slide(timers);
    slide.start();
    const auto steps = stepsOf(slide, timers, 7000);
    ASSERT_EQ(steps.size(), 120);
    EXPECT_TRUE(steps[0].first);
    EXPECT_FALSE(steps[1].first);
    EXPECT_TRUE(steps[40].sliding);
    EXPECT_FALSE(steps[41].sliding);
    EXPECT_TRUE(steps[119].last);
    EXPECT_EQ(std::count_if(steps.begin(), steps.end(), [](const auto& s) { return s.last; }), 1);
    EXPECT_FALSE(slide.isRunning());
    EXPECT_EQ(slide.ticks(), 0);
}

TEST(TimeUpSlide, MovesAStepAtATimeAndTurnsAtTheMargins)
{
    VirtualTimerDriver timers;
    TimeUpSlide slide(timers);
    const double right = 1000;
    EXPECT_EQ(slide.direction(), TimeUpSlide::Direction::Right);

    double left = 135;
    QList<double> lefts;
    for (int i = 0; i < 20; ++i) {
        left = slide.nextLeft(left, right);
        slide.turnAtMargins(left, right);
        lefts << left;
    }
    // Out to the first place past the right margin, back to the left one, and out again.
    EXPECT_EQ(*std::max_element(lefts.begin(), lefts.end()), 1095);
    EXPECT_EQ(*std::min_element(lefts.begin(), lefts.end()), 135);
    EXPECT_EQ(lefts.mid(0, 2), (QList<double>{255, 375}));
    EXPECT_EQ(lefts.mid(6, 3), (QList<double>{975, 1095, 975}));
    EXPECT_EQ(lefts.mid(14, 3), (QList<double>{255, 135, 255}));

    // A window already beyond a margin stays put until the turn takes it back.
    TimeUpSlide stuck(timers);
    EXPECT_EQ(stuck.nextLeft(1200, right), 1200);
}

TEST(TimeUpSlide, DirectionCarriesOverToTheNextEffectUntilReset)
{
    VirtualTimerDriver timers;
    TimeUpSlide slide(timers);
    slide.turnAtMargins(2000, 1000);
    ASSERT_EQ(slide.direction(), TimeUpSlide::Direction::Left);
    slide.start();
    timers.advance(120 * TimeUpSlide::kTickMs);
    ASSERT_FALSE(slide.isRunning());
    EXPECT_EQ(slide.direction(), TimeUpSlide::Direction::Left);
    EXPECT_EQ(slide.nextLeft(500, 1000), 380);

    slide.reset();
    EXPECT_EQ(slide.direction(), TimeUpSlide::Direction::Right);
}

TEST(PauseBlink, AlternatesFromBlueAndGoesOnWhereTheLastPauseStopped)
{
    VirtualTimerDriver timers;
    PauseBlink blink(timers);
    QList<PauseBlink::Colour> colours;
    QObject::connect(&blink, &PauseBlink::colourChanged, [&](PauseBlink::Colour c) { colours << c; });
    blink.start();
    timers.advance(3 * PauseBlink::kTickMs);
    using C = PauseBlink::Colour;
    EXPECT_EQ(colours, (QList<C>{C::Blue, C::Red, C::Blue}));
    blink.stop();
    timers.advance(5 * PauseBlink::kTickMs);
    EXPECT_EQ(colours.size(), 3);
    blink.start();
    timers.advance(PauseBlink::kTickMs);
    EXPECT_EQ(colours.back(), C::Red);

    blink.reset();
    EXPECT_EQ(blink.colour(), C::Red);
}
