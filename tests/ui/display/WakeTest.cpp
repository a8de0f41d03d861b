#include "TrackingFixture.h"
#include "models/display/CountdownMirror.h"

#include <QLabel>

// The laptop's lid closed while the count runs, folded into the strip, and opened again.
namespace {

QString text(QWidget& window, const char* label)
{
    return ::control<QLabel>(&window, label)->text();
}

} // namespace

TEST_F(TrackingTest, WakingPastTheReminderShowsTheTimeLeftWithoutTheReminderEffect)
{
    MainWindow& w = start();
    box(w, "Text1").setText(QStringLiteral("10"));
    box(w, "Text4").setText(QStringLiteral("00"));
    box(w, "Text2").setText(QStringLiteral("03"));
    box(w, "Text5").setText(QStringLiteral("00"));
    button(w, "Command1").click();
    ToolStrip& bar = fold(w);
    const int cues = t.sounds.log.plays(QStringLiteral("ding.WAV"));
    t.advance(301'000 - 100); // 05 : 00

    t.timers.suspend(4 * 60'000);
    EXPECT_EQ(text(w, "Label3"), QStringLiteral("01 : 00"));
    EXPECT_EQ(text(bar, "Label1"), QStringLiteral("定时10分00秒,剩余01分00秒"));
    EXPECT_FALSE(timer(w, "Timer4").isEnabled()) << "no blink for a reminder that is over";
    EXPECT_TRUE(bar.isVisible());
    EXPECT_TRUE(w.isHidden());
    EXPECT_EQ(t.sounds.log.plays(QStringLiteral("ding.WAV")), cues);
}

TEST_F(TrackingTest, WakingPastTheEndShowsTimeUpOnce)
{
    MainWindow& w = start();
    startCountdown(w, QStringLiteral("10"));
    fold(w);
    const int cues = t.sounds.log.plays(QStringLiteral("ding.WAV"));
    t.advance(120'000);

    t.timers.suspend(30 * 60'000);
    EXPECT_TRUE(timer(w, "Timer3").isEnabled()) << "the time-up effect runs";
    EXPECT_FALSE(t.program->countdown().isTicking());
    t.advance(6000);
    EXPECT_FALSE(timer(w, "Timer3").isEnabled()) << "once, six seconds long";
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(t.sounds.log.plays(QStringLiteral("ding.WAV")), cues + 1);
    EXPECT_TRUE(t.program->countdown().isStopped());
}
