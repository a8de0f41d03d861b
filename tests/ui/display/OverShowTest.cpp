#include "TrackingFixture.h"
#include "ui/display/EnlargedWindow.h"

#include <QLabel>
#include <QTest>

namespace {
const QString kShow = QStringLiteral("Presenting: lesson");

bool keptAbove(TestProgram& t, const QWidget& w)
{
    return t.windows.isKeptAboveFullScreen(&w);
}
} // namespace

// A show that takes the keyboard would cover the main window: while it has it, the window is kept
// above everything; another program's window with the keyboard gives it back to the window manager,
// and so does a question of ours, which the kept window would cover. A window of ours kept above and
// clicked by the teacher stays as it is.
TEST_F(TrackingTest, TheMainWindowIsKeptAboveAShowOnlyWhileTheShowHasTheKeyboard)
{
    MainWindow& w = start();
    startCountdown(w);
    t.windows.titles = {kShow};
    t.windows.focused = FocusedWindow::FullScreen;
    t.windows.setTitles(t.windows.titles);
    tick();
    EXPECT_TRUE(keptAbove(t, w));

    t.windows.focused = FocusedWindow::OursAbove;
    tick();
    EXPECT_TRUE(keptAbove(t, w));

    // 停止 asks over the show: the question is not hidden under the main window.
    bool keptWhileAsked = true;
    t.windows.focused = FocusedWindow::FullScreen;
    tick();
    t.dialogs.answerNext(Answer::No, [&] { keptWhileAsked = keptAbove(t, w); });
    button(w, "Command3").click();
    EXPECT_FALSE(keptWhileAsked);

    t.windows.focused = FocusedWindow::Other;
    tick();
    EXPECT_FALSE(keptAbove(t, w));
    // A native show of a Wayland desktop: nobody the X server knows has the keyboard; the title tells.
    t.windows.focused = FocusedWindow::None;
    tick();
    EXPECT_TRUE(keptAbove(t, w));
    t.windows.titles.clear();
    tick();
    EXPECT_FALSE(keptAbove(t, w));
}

// The enlarged countdown, the reminder, the time-up and F11 are seen over a show that has the keyboard.
TEST_F(TrackingTest, WhatTheProgramShowsOverAShowWithTheKeyboardIsKeptAbove)
{
    MainWindow& w = start();
    box(w, "Text1").setText(QStringLiteral("00"));
    box(w, "Text4").setText(QStringLiteral("40"));
    box(w, "Text2").setText(QStringLiteral("00"));
    box(w, "Text5").setText(QStringLiteral("20"));
    button(w, "Command1").click();
    t.windows.titles = {kShow};
    t.windows.focused = FocusedWindow::FullScreen;

    QTest::mouseDClick(control<QLabel>(&w, "Label3"), Qt::LeftButton);
    auto* enlarged = t.program->loaded<EnlargedWindow>();
    ASSERT_TRUE(enlarged && enlarged->isVisible());
    tick();
    EXPECT_TRUE(keptAbove(t, *enlarged));
    t.program->unload(WindowKind::EnlargedCountdown);
    fold(w);

    t.advance(22'300); // the reminder, past its blinking
    ASSERT_TRUE(w.isVisible());
    EXPECT_TRUE(keptAbove(t, w));

    t.windows.focused = FocusedWindow::Other;
    t.advance(18'000); // the time-up; the show took the keyboard back meanwhile
    t.windows.focused = FocusedWindow::FullScreen;
    t.advance(500);
    ASSERT_TRUE(w.isVisible());
    EXPECT_TRUE(keptAbove(t, w));

    t.advance(7000);
    w.hide();
    t.windows.keysDown = {Keys::F11};
    tick();
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(keptAbove(t, w));
}
