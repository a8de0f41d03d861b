#pragma once

#include "platform/Timer.h"
#include "support/FindControl.h"
#include "support/MainWindowControls.h"
#include "support/TestProgram.h"
#include "ui/display/ToolStrip.h"
#include "ui/main/MainWindow.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>
#include <string>

// The whole program on virtual time, on a 1024 x 768 fake desktop with the pointer far from the
// main window. A plain window stands in for the draw launcher, so that closing it can be seen.
// Controls are found by their object names and state is read through the program's models, so the
// tests hold whatever the windows call their members.
class TrackingTest : public ::testing::Test {
protected:
    static constexpr double kScreenW = 15360;
    static constexpr double kScreenH = 11520;

    TrackingTest()
    {
        t.program->registerWindow(WindowKind::DrawLauncher,
                                  [](Program& p) { return new ProgramWindow(p, WindowKind::DrawLauncher); });
        t.windows.pointer = {15000, 11000};
    }

    MainWindow& start()
    {
        MainWindow& w = t.start();
        return w;
    }

    // Shorthands for the named controls of a window.
    QPushButton& button(QWidget& window, const char* name) { return control<QPushButton>(window, name); }
    QLineEdit& box(QWidget& window, const char* name) { return control<QLineEdit>(window, name); }
    Timer& timer(QWidget& window, const char* name) { return control<Timer>(window, name); }
    QComboBox& titleList(MainWindow& w) { return control<QComboBox>(w, "Combo1"); }

    // 缩小 as its click reaches the window, whether the button is enabled or not: the handler decides.
    void pressShrink(MainWindow& w) { emit MainWindowControls(w).foldButton()->clicked(); }

    // Starts a countdown of mm:ss with no reminder.
    void startCountdown(MainWindow& w, const QString& minutes = QStringLiteral("05"),
                        const QString& seconds = QStringLiteral("00"))
    {
        const MainWindowControls c(w);
        c.totalMinutes()->setText(minutes);
        c.totalSeconds()->setText(seconds);
        c.reminderMinutes()->setText(QStringLiteral("00"));
        c.reminderSeconds()->setText(QStringLiteral("00"));
        c.startButton()->click();
        ASSERT_TRUE(t.program->countdown().isCounting());
    }

    // Lets the tracking timer tick once.
    void tick() { t.advance(100); }

    ToolStrip* strip() { return t.program->loaded<ToolStrip>(); }

    // Folds the running main window into the strip.
    ToolStrip& fold(MainWindow& w)
    {
        tick();
        pressShrink(w);
        EXPECT_TRUE(w.isHidden());
        return *strip();
    }

    TestProgram t;
};
