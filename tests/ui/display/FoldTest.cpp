#include "TrackingFixture.h"
#include "platform/Timer.h"

namespace {
const QString kThreeCases = QStringLiteral("以下三种情况不能隐藏主界面            \n"
                                           "\n"
                                           "    1.当前未开始计时，或\n"
                                           "    2.当前为暂停计时，或\n"
                                           "3.当前打开了PPT文件但没有播放该文件");
} // namespace

TEST_F(TrackingTest, FoldRefusedWhilePausedShowsTheThreeCases)
{
    MainWindow& w = start();
    startCountdown(w);
    button(w, "Command2").click(); // pause
    w.moveTwips(300, 6000);
    t.program->window(WindowKind::DrawLauncher)->show();

    double topWhileOpen = -1, leftWhileOpen = -1;
    bool launcherWhileOpen = false;
    t.dialogs.answerNext(Answer::Ok, [&] {
        topWhileOpen = w.topTwips();
        leftWhileOpen = w.leftTwips();
        launcherWhileOpen = t.program->isLoaded(WindowKind::DrawLauncher);
        t.setDockedEdge(&docking::Flags::top, true); // tucked by a tick while the box was open
    });
    pressShrink(w);

    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_EQ(t.dialogs.shown[0].title, QStringLiteral("Vantrel工具提示："));
    EXPECT_EQ(t.dialogs.shown[0].text, kThreeCases);
    EXPECT_EQ(t.dialogs.shown[0].icon, MessageIcon::Information);
    EXPECT_NEAR(topWhileOpen, 2000, 15);
    EXPECT_EQ(leftWhileOpen, (kScreenW - w.widthTwips()) / 2);
    EXPECT_TRUE(launcherWhileOpen) << "the launcher closes only after OK";
    EXPECT_FALSE(t.program->isLoaded(WindowKind::DrawLauncher));
    EXPECT_FALSE(t.program->tracking().docked().top);
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(t.program->isLoaded(WindowKind::ToolStrip));
}

TEST_F(TrackingTest, FoldIsJudgedOnTheTitlesOfTheLastTick)
{
    MainWindow& w = start();
    startCountdown(w);
    t.windows.titles = {QStringLiteral("Microsoft PowerPoint - deck.pptx")};
    tick();
    t.windows.titles.clear();
    pressShrink(w); // works on the list of the last tick, not on a new walk
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_EQ(t.dialogs.shown[0].text, kThreeCases);
    EXPECT_TRUE(w.isVisible());
}

TEST_F(TrackingTest, FoldRefusedSilentlyWhenDocked)
{
    MainWindow& w = start();
    const double W = w.widthTwips();
    w.moveTwips(90 - W, 3000);
    t.setDockedEdge(&docking::Flags::left, true);
    w.hide();
    pressShrink(w);
    EXPECT_TRUE(t.dialogs.shown.isEmpty());
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(t.program->tracking().docked().left);
    EXPECT_NEAR(w.topTwips(), 2000, 15);
    EXPECT_EQ(w.leftTwips(), (kScreenW - w.widthTwips()) / 2);
}

TEST_F(TrackingTest, FoldBringsUpTheStripCentredOverTheMainWindow)
{
    MainWindow& w = start();
    const double W = w.widthTwips();
    startCountdown(w);
    t.windows.titles = {QStringLiteral("Microsoft PowerPoint - deck.pptx"),
                        QStringLiteral("PowerPoint 幻灯片放映 - deck.pptx")};
    w.moveTwips(3000, 4500);
    tick();
    ASSERT_TRUE(button(w, "Command4").isEnabled());
    button(w, "Command4").click();

    EXPECT_TRUE(t.dialogs.shown.isEmpty());
    EXPECT_TRUE(w.isHidden());
    ToolStrip* bar = strip();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->heightTwips(), 510);
    EXPECT_EQ(bar->widthTwips(), 5085);
    EXPECT_NEAR(bar->leftTwips(), 3000 + (W - 5085) / 2.0, 15);
    EXPECT_EQ(bar->topTwips(), 4500);
    EXPECT_TRUE(bar->isMirroring());
    EXPECT_TRUE(t.windows.aboveFullScreen.contains(QStringLiteral("Form3")));
    EXPECT_EQ(t.windows.opacity.value(QStringLiteral("Form3")), 150);
}
