#pragma once

#include "support/TestProgram.h"
#include "ui/display/ToolStrip.h"
#include "ui/main/MainWindow.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

// The whole program on virtual time, on a 1024 x 768 fake desktop with the pointer far from the
// main window. A plain window stands in for the draw launcher, so that closing it can be seen.
class TrackingTest : public ::testing::Test {
protected:
    static constexpr double kScreenW = 15360;
    static constexpr double kScreenH = 11520;

    TrackingTest()
    {
        t.program->registerForm(WindowKind::DrawLauncher,
                                [](Program& p) { return new Form(p, WindowKind::DrawLauncher); });
        t.windows.pointer = {15000, 11000};
    }

    MainWindow& start()
    {
        MainWindow& w = t.start();
        return w;
    }

    // Starts a countdown of mm:ss with no reminder.
    void startCountdown(MainWindow& w, const QString& minutes = QStringLiteral("05"),
                        const QString& seconds = QStringLiteral("00"))
    {
        w.Text1->setText(minutes);
        w.Text4->setText(seconds);
        w.Text2->setText(QStringLiteral("00"));
        w.Text5->setText(QStringLiteral("00"));
        w.Command1->click();
        ASSERT_TRUE(t.program->countdown().isCounting());
    }

    // Lets the tracking timer tick once.
    void tick() { t.advance(100); }

    ToolStrip* strip() { return t.program->loadedAs<ToolStrip>(WindowKind::ToolStrip); }

    // Folds the running main window into the strip.
    ToolStrip& fold(MainWindow& w)
    {
        tick();
        w.command4Click();
        EXPECT_TRUE(w.isHidden());
        return *strip();
    }

    TestProgram t;
};
