#include "DrawTestSupport.h"
#include "platform/SoundDevice.h"
#include "platform/Timer.h"

#include <QFontMetricsF>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

class SequenceDrawTest : public ::testing::Test, public DrawFixture {
protected:
    // What the window shows, button by button, for comparing states.
    struct Snapshot {
        QString number, prompt, list;
        bool promptShown, overShown, drawOn, nextOn, roundOn, rolling;
        int roundOpen;
        bool operator==(const Snapshot&) const = default;
    };
    Snapshot snapshot(SequenceDraw& d)
    {
        return {d.Label1->text(),          d.Label2->text(),          d.Text1->text(),
                d.Label2->isVisibleTo(&d), d.Label3->isVisibleTo(&d), d.Command1->isEnabled(),
                d.Command2->isEnabled(),   d.Command4->isEnabled(),   d.Timer1->isEnabled(),
                int(d.isRoundOpen())};
    }
    QStringList soundLogSince(int from) { return t.sounds.log.commands.mid(from); }

    // Draws one number and checks that the list grew by exactly it.
    int drawOne(SequenceDraw& d)
    {
        const QString before = d.Text1->text();
        d.Command1->click();
        const QString number = d.Label1->text();
        EXPECT_EQ(d.Text1->text(), before.isEmpty() ? number : before + "，" + number);
        EXPECT_EQ(d.Text1->cursorPosition(), d.Text1->text().size());
        return number.toInt();
    }
};

} // namespace

TEST_F(SequenceDrawTest, OpensRollingWithItsHeadingTitleAndCue)
{
    const int before = int(t.sounds.log.commands.size());
    SequenceDraw& d = openDraw("5");
    EXPECT_TRUE(d.isVisible());
    EXPECT_FALSE(launcher()->isVisible());
    EXPECT_FALSE(main->isVisible());
    EXPECT_EQ(d.windowTitle(), "Vantrel工具 - 随机抽签程序");
    EXPECT_EQ(d.Label4->text(), "抽签总人数为5人，已抽出顺序号如下：");
    EXPECT_EQ(d.Label2->text(), "请点击“抽签”按钮开始抽签");
    EXPECT_EQ(d.Command2->text(), "下一个");
    EXPECT_TRUE(t.windows.topMost.contains("Form7"));
    EXPECT_NEAR(d.topTwips(), launcher()->topTwips(), 15);
    // Centred at load, before the frame of the window exists: half a frame's width of leeway.
    EXPECT_NEAR(d.leftTwips(), (t.windows.screenSizeTwips().width() - d.widthTwips()) / 2, 45);
    for (QWidget* shown :
         std::initializer_list<QWidget*>{d.Command1, d.Command2, d.Command4, d.Command7, d.Label1})
        EXPECT_TRUE(shown->isVisible()) << shown->objectName().toStdString();
    // Ready: only "抽  签" and "结  束" can be pressed.
    EXPECT_TRUE(d.Command1->isEnabled());
    EXPECT_FALSE(d.Command2->isEnabled());
    EXPECT_FALSE(d.Command4->isEnabled());
    EXPECT_TRUE(d.Command7->isEnabled());
    EXPECT_FALSE(draw() && draw()->isRoundOpen());
    EXPECT_EQ(d.pot().remaining(), 5);

    // The main window's device falls silent before this window's own opens.
    EXPECT_EQ(soundLogSince(before),
              (QStringList{"1:Close", "2:Close", "2:Open notify.wav", "2:Play notify.wav"}));

    // The display rolls every 32 ms through 1..N.
    EXPECT_TRUE(d.Timer1->isEnabled());
    EXPECT_EQ(d.Timer1->interval(), 32);
    EXPECT_EQ(d.Timer1->policy(), TickPolicy::Pacing);
    QSet<int> shown;
    for (int tick = 0; tick < 200; ++tick) {
        t.advance(32);
        const int n = d.Label1->text().toInt();
        ASSERT_GE(n, 1);
        ASSERT_LE(n, 5);
        shown.insert(n);
    }
    EXPECT_EQ(shown.size(), 5);
}

TEST_F(SequenceDrawTest, AWholeRoundOfFiveThroughTheButtons)
{
    SequenceDraw& d = openDraw("5");
    QList<int> drawn;
    for (int i = 1; i <= 5; ++i) {
        const int n = drawOne(d);
        drawn << n;
        EXPECT_DOUBLE_EQ(d.heightTwips(), SequenceDraw::kDrawnHeight);
        EXPECT_FALSE(d.Timer1->isEnabled());
        // The drawn number stays while time passes.
        t.advance(1000);
        EXPECT_EQ(d.Label1->text().toInt(), n);
        if (i < 5) {
            EXPECT_EQ(d.Label2->text(), "您抽取的顺序号为:");
            EXPECT_FALSE(d.Command1->isEnabled());
            EXPECT_TRUE(d.Command2->isEnabled());
            EXPECT_TRUE(d.Command2->hasFocus() || !d.isActiveWindow());
            EXPECT_TRUE(draw() && draw()->isRoundOpen());
            d.Command2->click();
            EXPECT_EQ(d.Label2->text(), "请点击“抽签”按钮");
            EXPECT_TRUE(d.Command1->isEnabled());
            EXPECT_FALSE(d.Command2->isEnabled());
            EXPECT_TRUE(d.Timer1->isEnabled());
        }
    }
    QStringList expectedList;
    for (int n : drawn)
        expectedList << QString::number(n);
    EXPECT_EQ(d.Text1->text(), expectedList.join("，"));
    std::sort(drawn.begin(), drawn.end());
    EXPECT_EQ(drawn, (QList<int>{1, 2, 3, 4, 5}));

    // Round over.
    EXPECT_TRUE(d.Label3->isVisible());
    EXPECT_EQ(d.Label3->text(), "本轮抽签结束！");
    EXPECT_FALSE(d.Label2->isVisible());
    EXPECT_FALSE(d.Command1->isEnabled());
    EXPECT_FALSE(d.Command2->isEnabled());
    EXPECT_TRUE(d.Command4->isEnabled());
    EXPECT_FALSE(draw() && draw()->isRoundOpen());
    EXPECT_EQ(t.sounds.log.plays("ding.wav"), 1);
    EXPECT_EQ(t.sounds.log.commands.last(), "2:Play ding.wav");
    EXPECT_EQ(d.pot().remaining(), 5);
}

TEST_F(SequenceDrawTest, NextRoundStartsEmptyShowingZeroUntilTheFirstTick)
{
    SequenceDraw& d = openDraw("3");
    for (int i = 0; i < 3; ++i) {
        drawOne(d);
        if (d.Command2->isEnabled())
            d.Command2->click();
    }
    ASSERT_TRUE(d.Command4->isEnabled());
    d.Command4->click();
    EXPECT_EQ(d.Text1->text(), "");
    EXPECT_EQ(d.Label1->text(), "0");
    EXPECT_TRUE(d.Label2->isVisible());
    EXPECT_EQ(d.Label2->text(), "请点击“抽签”按钮开始抽签");
    EXPECT_FALSE(d.Label3->isVisible());
    EXPECT_TRUE(d.Command1->isEnabled());
    EXPECT_FALSE(d.Command2->isEnabled());
    EXPECT_FALSE(d.Command4->isEnabled());
    EXPECT_FALSE(draw() && draw()->isRoundOpen());
    t.advance(31);
    EXPECT_EQ(d.Label1->text(), "0");
    t.advance(1);
    EXPECT_NE(d.Label1->text(), "0");

    // Every number can come up again, and the new round opens with its first draw.
    QList<int> again;
    for (int i = 0; i < 3; ++i) {
        again << drawOne(d);
        if (i == 0) {
            EXPECT_TRUE(draw() && draw()->isRoundOpen());
        }
        if (d.Command2->isEnabled())
            d.Command2->click();
    }
    std::sort(again.begin(), again.end());
    EXPECT_EQ(again, (QList<int>{1, 2, 3}));
}

TEST_F(SequenceDrawTest, EndingMidRoundAsksAndContinueReturnsToTheSameState)
{
    SequenceDraw& d = openDraw("5");
    drawOne(d);
    // "抽  签" takes one number per "下一个".
    const QString once = d.Text1->text();
    d.Command1->click();
    EXPECT_EQ(d.Text1->text(), once);
    d.Command2->click();
    drawOne(d);
    const Snapshot left = snapshot(d);
    const int sounds = int(t.sounds.log.commands.size());

    d.Command7->click();
    EXPECT_EQ(soundLogSince(sounds),
              (QStringList{"1:Close", "2:Close", "2:Open notify.wav", "2:Play notify.wav"}));
    EXPECT_FALSE(d.isVisible());
    DrawLauncher* l = launcher();
    ASSERT_NE(l, nullptr);
    EXPECT_TRUE(l->isVisible());
    for (QWidget* shown : std::initializer_list<QWidget*>{l->Label7, l->Command8, l->Command9})
        EXPECT_TRUE(shown->isVisible()) << shown->objectName().toStdString();
    for (QWidget* hidden : std::initializer_list<QWidget*>{l->Frame3, l->Frame4, l->Text2, l->Command5})
        EXPECT_FALSE(hidden->isVisible()) << hidden->objectName().toStdString();
    EXPECT_FALSE(main->isVisible());

    t.advance(500);
    l->Command9->click();
    EXPECT_TRUE(d.isVisible());
    EXPECT_FALSE(l->isVisible());
    EXPECT_EQ(snapshot(d), left);

    // The same question comes again, and "结束抽签" closes both windows.
    d.Command2->click();
    d.Command7->click();
    ASSERT_TRUE(l->Command8->isVisible());
    l->Command8->click();
    EXPECT_EQ(draw(), nullptr);
    EXPECT_EQ(launcher(), nullptr);
    EXPECT_FALSE(d.Timer1->isEnabled());
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(main->Timer2->isEnabled());
}

TEST_F(SequenceDrawTest, EndingOutsideARoundClosesAtOnce)
{
    // Before the first draw.
    SequenceDraw* d = &openDraw("4");
    d->Command7->click();
    EXPECT_EQ(draw(), nullptr);
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(main->Timer2->isEnabled());
    EXPECT_FALSE(launcher() && launcher()->isVisible());
    EXPECT_TRUE(t.dialogs.shown.isEmpty());
    TestProgram::settle();

    // Right after the last draw of a round.
    d = &openDraw("2");
    drawOne(*d);
    d->Command2->click();
    drawOne(*d);
    ASSERT_FALSE(draw() && draw()->isRoundOpen());
    main->Timer2->setEnabled(false);
    d->Command7->click();
    EXPECT_EQ(draw(), nullptr);
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(main->Timer2->isEnabled());
}

TEST_F(SequenceDrawTest, CloseBoxMidRoundAsksLikeTheEndButton)
{
    SequenceDraw& d = openDraw("5");
    drawOne(d);
    d.close();
    ASSERT_NE(draw(), nullptr);
    EXPECT_FALSE(d.isVisible());
    EXPECT_TRUE(launcher()->Command9->isVisible());

    // Closing the question leaves the draw, as "结束抽签" does.
    launcher()->close();
    EXPECT_EQ(draw(), nullptr);
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(main->Timer2->isEnabled());
}

TEST_F(SequenceDrawTest, AFractionalCountIsUsedAsItCame)
{
    SequenceDraw& d = openDraw("2.5");
    EXPECT_FLOAT_EQ(d.TotalCount, 2.5f);
    EXPECT_EQ(d.Label4->text(), "抽签总人数为2.5人，已抽出顺序号如下：");
    EXPECT_EQ(d.pot().remaining(), 2);
    QList<int> drawn{drawOne(d)};
    d.Command2->click();
    drawn << drawOne(d);
    std::sort(drawn.begin(), drawn.end());
    EXPECT_EQ(drawn, (QList<int>{1, 2}));
    EXPECT_TRUE(d.Label3->isVisible());
    EXPECT_FALSE(draw() && draw()->isRoundOpen());
}

TEST_F(SequenceDrawTest, ALostDrawWindowIsReplacedByTheNextOpening)
{
    SequenceDraw& first = openDraw("5");
    drawOne(first);
    // The main window comes back while the draw sits hidden (a reminder of the countdown, say).
    first.hide();
    t.program->unload(WindowKind::DrawLauncher);
    main->show();

    SequenceDraw& second = openDraw("7");
    EXPECT_NE(&second, &first);
    EXPECT_FLOAT_EQ(second.TotalCount, 7);
    EXPECT_EQ(second.Text1->text(), "");
    EXPECT_EQ(second.pot().remaining(), 7);
}

TEST_F(SequenceDrawTest, TwoHundredFitsTheDisplayInLegibleDigits)
{
    SequenceDraw& d = openDraw("200");
    const QFontMetricsF metrics(d.Label1->font(), d.Label1);
    EXPECT_GE(d.Label1->font().pointSizeF(), 200.0);
    EXPECT_LE(d.Label1->font().pointSizeF(), SequenceDraw::kNumberPoints);
    EXPECT_LE(metrics.horizontalAdvance("200"), d.Label1->width());
    const QRectF glyphs = metrics.tightBoundingRect("200");
    const qreal baseline = (d.Label1->height() - metrics.height()) / 2 + metrics.ascent();
    EXPECT_GE(baseline + glyphs.top(), 0);
    EXPECT_LE(baseline + glyphs.bottom(), d.Label1->height());
    // The big digits sit inside the display frame, below the button bar.
    EXPECT_LE(d.Label1->geometry().right(), d.Frame1->width());
}
