#include "models/countdown/PaceColours.h"
#include "support/FindControl.h"
#include "support/MainWindowControls.h"
#include "support/TestProgram.h"
#include "ui/display/EnlargedWindow.h"
#include "ui/display/TimeUpCover.h"
#include "ui/display/ToolStrip.h"
#include "ui/flow/FlowConductor.h"
#include "ui/main/MainWindow.h"

#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

// What the options change in the windows: overtime in the main window, the strip and the enlarged
// window, the pace colours readable in each, the time-up cover, the presets kept; and without a
// settings file, none of it.
namespace {

Rgb rgbOf(const QColor& colour)
{
    return {colour.red(), colour.green(), colour.blue()};
}

Rgb textColour(const QWidget* label)
{
    return rgbOf(label->palette().color(QPalette::WindowText));
}

class OptionsInWindows : public ::testing::Test {
protected:
    MainWindow& startWith(std::initializer_list<std::pair<const char*, const char*>> settings)
    {
        for (const auto& [key, value] : settings)
            t.settings.setValue(QString::fromLatin1(key), QString::fromLatin1(value));
        w = &t.start();
        c = std::make_unique<MainWindowControls>(*w);
        return *w;
    }

    void startCount(const char* minutes, const char* seconds, const char* remMinutes, const char* remSeconds)
    {
        c->totalMinutes()->setText(QString::fromLatin1(minutes));
        c->totalSeconds()->setText(QString::fromLatin1(seconds));
        c->reminderMinutes()->setText(QString::fromLatin1(remMinutes));
        c->reminderSeconds()->setText(QString::fromLatin1(remSeconds));
        c->startButton()->click();
        ASSERT_TRUE(t.program->countdown().isCounting());
    }

    // Through the reminder to 00 : 00 and the six seconds of the time-up effect.
    void runPastTheEnd(int countSeconds) { t.advance((countSeconds + 1) * 1000LL + 6100); }

    TestProgram t;
    MainWindow* w = nullptr;
    std::unique_ptr<MainWindowControls> c;
};

} // namespace

TEST_F(OptionsInWindows, WithoutASettingsFileTheCountEndsAsAlways)
{
    startWith({});
    startCount("00", "20", "00", "05");
    EXPECT_EQ(textColour(c->countLabel()), kCountRed);
    t.advance(16'500);
    EXPECT_EQ(textColour(c->countLabel()), kCountRed) << "no pace colours";
    runPastTheEnd(4);
    EXPECT_TRUE(t.program->countdown().isStopped());
    EXPECT_FALSE(t.program->countdown().isTicking());
    EXPECT_TRUE(c->startButton()->isEnabled());
    EXPECT_FALSE(c->stopButton()->isEnabled());
    EXPECT_EQ(c->countLabel()->text(), QStringLiteral("00 : 20"));
    EXPECT_TRUE(t.program->conductor().timeUpCovers()->covers().isEmpty()) << "no cover";
    for (int volume : t.sounds.log.playVolumes)
        EXPECT_EQ(volume, 100);
    EXPECT_TRUE(t.settings.value(QStringLiteral("countdown/preset1")).isEmpty()) << "nothing written";
}

TEST_F(OptionsInWindows, OvertimeCountsUpInEveryWindowUntilStopped)
{
    startWith({{"countdown/overtime", "true"}});
    startCount("00", "20", "00", "05");
    runPastTheEnd(20);

    // The main window shows the running view again, the count upward in red.
    EXPECT_TRUE(c->countLabel()->isVisible());
    EXPECT_TRUE(c->countLabel()->text().startsWith(QStringLiteral("+00 : 0")));
    EXPECT_EQ(textColour(c->countLabel()), kCountRed);
    EXPECT_TRUE(c->pauseButton()->isEnabled());
    EXPECT_TRUE(c->stopButton()->isEnabled());
    EXPECT_FALSE(c->startButton()->isEnabled());
    t.advance(60'000);
    const int overtime = t.program->countdown().overtimeSeconds();
    EXPECT_EQ(c->countLabel()->accessibleName(),
              QStringLiteral("超时 %1 分 %2 秒").arg(overtime / 60).arg(overtime % 60));

    // The strip says it in words.
    auto* strip = t.program->window<ToolStrip>();
    ASSERT_NE(strip, nullptr);
    strip->showStrip();
    EXPECT_EQ(control<QLabel>(strip, "Label1")->text(),
              QStringLiteral("定时00分20秒,超时01分%1秒").arg(overtime % 60, 2, 10, QLatin1Char('0')));
    strip->hideStrip();

    // The enlarged window shows it with its sign.
    QTest::mouseDClick(c->countLabel(), Qt::LeftButton);
    auto* enlarged = t.program->loaded<EnlargedWindow>();
    ASSERT_NE(enlarged, nullptr);
    t.advance(250);
    EXPECT_EQ(control<QLabel>(enlarged, "Label1")->text(), t.program->countdown().countText());
    EXPECT_TRUE(control<QLabel>(enlarged, "Label1")->text().startsWith(QLatin1Char('+')));
    QTest::mouseDClick(control<QLabel>(enlarged, "Label1"), Qt::LeftButton);
    TestProgram::settle();

    // Pause and continue, as in the count.
    c->pauseButton()->click();
    const QString paused = c->countLabel()->text();
    t.advance(5000);
    EXPECT_EQ(c->countLabel()->text(), paused);
    c->pauseButton()->click();
    t.advance(1000);
    EXPECT_NE(c->countLabel()->text(), paused);

    // Stop asks, as for a running count; No goes on counting.
    t.dialogs.answerNext(Answer::No);
    c->stopButton()->click();
    EXPECT_TRUE(t.program->countdown().isOverrun());
    t.dialogs.answerNext(Answer::Yes);
    c->stopButton()->click();
    ASSERT_EQ(t.dialogs.shown.size(), 2);
    EXPECT_EQ(t.dialogs.shown.last().text, QStringLiteral("确实要停止计时吗?"));
    EXPECT_TRUE(t.program->countdown().isStopped());
    EXPECT_EQ(c->countLabel()->accessibleName(), QString());
    EXPECT_TRUE(c->startButton()->isEnabled());
}

TEST_F(OptionsInWindows, PaceColoursAreReadableOnEachWindowsBackground)
{
    startWith({{"countdown/paceColours", "true"}, {"countdown/overtime", "true"}});
    auto* strip = t.program->window<ToolStrip>();
    ASSERT_NE(strip, nullptr);
    startCount("00", "30", "00", "10");
    strip->showStrip();
    QTest::mouseDClick(c->countLabel(), Qt::LeftButton);
    auto* enlarged = t.program->loaded<EnlargedWindow>();
    ASSERT_NE(enlarged, nullptr);

    struct Shown {
        const char* where;
        QWidget* window;
        QWidget* digits;
    };
    const std::array<Shown, 3> shown{{{"main window", w, c->countLabel()},
                                      {"strip", strip, control<QLabel>(strip, "Label1")},
                                      {"enlarged window", enlarged, control<QLabel>(enlarged, "Label1")}}};
    auto expectPace = [&](Countdown::Pace pace) {
        t.advance(250); // the enlarged window's mirror
        ASSERT_EQ(t.program->countdown().pace(), pace);
        for (const Shown& s : shown) {
            EXPECT_EQ(textColour(s.digits), paceColour(pace)) << s.where;
            const Rgb background = rgbOf(s.window->palette().color(QPalette::Window));
            EXPECT_GE(contrastRatio(textColour(s.digits), background), 4.5) << s.where;
        }
    };
    expectPace(Countdown::Pace::Ahead);
    t.advance(21'000); // the first tick shows 00 : 30 again: 00 : 10 on the 21st
    expectPace(Countdown::Pace::Closing);
    // Paused, the colour stays.
    c->pauseButton()->click();
    t.advance(3000);
    expectPace(Countdown::Pace::Closing);
    c->pauseButton()->click();
    t.advance(11'000);
    expectPace(Countdown::Pace::Over);

    // Off again in the settings: the digits are red as shipped, at once.
    t.program->options().setPaceColours(false);
    EXPECT_EQ(textColour(c->countLabel()), kCountRed);
}

TEST_F(OptionsInWindows, TheTimeUpCoverIsAboveEverythingWithoutTheKeyboardForSixSeconds)
{
    startWith({{"timeUp/coverScreens", "true"}});
    startCount("00", "20", "00", "00");
    t.advance(21'100);
    const auto& covers = t.program->conductor().timeUpCovers()->covers();
    ASSERT_EQ(covers.size(), 1);
    TimeUpCover* cover = covers.first();
    ASSERT_NE(cover, nullptr);
    EXPECT_TRUE(cover->isVisible());
    EXPECT_TRUE(t.windows.isKeptAboveFullScreen(cover)) << "above a running show";
    EXPECT_TRUE(cover->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_TRUE(cover->windowFlags().testFlag(Qt::WindowTransparentForInput)) << "clicks go through";
    EXPECT_EQ(cover->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(cover->geometry(), w->screen()->geometry()) << "the whole screen";
    EXPECT_EQ(cover->accessibleName(), QStringLiteral("时间到！"));

    t.advance(4000);
    EXPECT_TRUE(cover->isVisible()) << "for the time-up's six seconds";
    t.advance(2000);
    TestProgram::settle();
    EXPECT_TRUE(t.program->conductor().timeUpCovers()->covers().isEmpty());
}

TEST_F(OptionsInWindows, PresetsKeepTheirLastStartBetweenRuns)
{
    startWith({{"countdown/rememberPresets", "true"}, {"countdown/preset2", "08:00,01:00"}});
    // The first preset had nothing kept: as shipped.
    EXPECT_EQ(c->totalMinutes()->text(), QStringLiteral("01"));
    c->preset(1)->click();
    EXPECT_EQ(c->totalMinutes()->text(), QStringLiteral("08"));
    EXPECT_EQ(c->reminderMinutes()->text(), QStringLiteral("01"));

    c->preset(2)->click();
    startCount("02", "30", "00", "40");
    EXPECT_EQ(t.settings.value(QStringLiteral("countdown/preset3")), QStringLiteral("02:30,00:40"));
    EXPECT_EQ(t.settings.value(QStringLiteral("countdown/preset2")), QStringLiteral("08:00,01:00"));

    // Switched off, a start writes nothing.
    t.program->options().setRememberPresets(false);
    c->stopButton()->click(); // scripted: no question answered means No
    t.dialogs.answerNext(Answer::Yes);
    c->stopButton()->click();
    startCount("03", "00", "00", "40");
    EXPECT_EQ(t.settings.value(QStringLiteral("countdown/preset3")), QStringLiteral("02:30,00:40"));
}
