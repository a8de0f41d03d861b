#include "DrawTestSupport.h"
#include "platform/SoundDevice.h"
#include "platform/Timer.h"

#include <QFontMetricsF>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTextDocument>
#include <QTextEdit>
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
        const SequenceControls d_(&d);
        return {d_.number->text(),
                d_.prompt->text(),
                d_.drawnList->toPlainText(),
                d_.prompt->isVisibleTo(&d),
                d_.roundOver->isVisibleTo(&d),
                d_.drawButton->isEnabled(),
                d_.nextButton->isEnabled(),
                d_.nextRoundButton->isEnabled(),
                d_.rollTimer->isEnabled(),
                int(d.isRoundOpen())};
    }
    QStringList soundLogSince(int from) { return t.sounds.log.commands.mid(from); }

    // Draws one number and checks that the list grew by exactly it.
    int drawOne(SequenceDraw& d)
    {
        const SequenceControls d_(&d);
        const QString before = d_.drawnList->toPlainText();
        d_.drawButton->click();
        const QString number = d_.number->text();
        EXPECT_EQ(d_.drawnList->toPlainText(), before.isEmpty() ? number : before + "，" + number);
        EXPECT_EQ(d_.drawnList->textCursor().position(), d_.drawnList->toPlainText().size());
        return number.toInt();
    }
};

} // namespace

TEST_F(SequenceDrawTest, OpensRollingWithItsHeadingTitleAndCue)
{
    const int before = int(t.sounds.log.commands.size());
    SequenceDraw& d = openDraw("5");
    const SequenceControls d_(&d);
    EXPECT_TRUE(d.isVisible());
    EXPECT_FALSE(launcher()->isVisible());
    EXPECT_FALSE(main->isVisible());
    EXPECT_EQ(d.windowTitle(), "Vantrel工具 - 随机抽签程序");
    EXPECT_EQ(d_.heading->text(), "抽签总人数为5人，已抽出顺序号如下：");
    EXPECT_EQ(d_.prompt->text(), "请点击“抽签”按钮开始抽签");
    EXPECT_EQ(d_.nextButton->text(), "下一个");
    EXPECT_TRUE(t.windows.topMost.contains("Form7"));
    EXPECT_NEAR(d.topTwips(), launcher()->topTwips(), 15);
    // Centred at load, before the frame of the window exists: half a frame's width of leeway.
    EXPECT_NEAR(d.leftTwips(), (t.windows.screenSizeTwips().width() - d.widthTwips()) / 2, 45);
    for (QWidget* shown : std::initializer_list<QWidget*>{d_.drawButton, d_.nextButton, d_.nextRoundButton,
                                                          d_.endButton, d_.number})
        EXPECT_TRUE(shown->isVisible()) << shown->objectName().toStdString();
    // Ready: only "抽  签" and "结  束" can be pressed.
    EXPECT_TRUE(d_.drawButton->isEnabled());
    EXPECT_FALSE(d_.nextButton->isEnabled());
    EXPECT_FALSE(d_.nextRoundButton->isEnabled());
    EXPECT_TRUE(d_.endButton->isEnabled());
    EXPECT_FALSE(draw() && draw()->isRoundOpen());
    EXPECT_EQ(d.round().remaining(), 5);

    // The main window's device falls silent before this window's own opens.
    EXPECT_EQ(soundLogSince(before),
              (QStringList{"1:Close", "2:Close", "2:Open notify.wav", "2:Play notify.wav"}));

    // The display rolls every 32 ms through 1..N.
    EXPECT_TRUE(d_.rollTimer->isEnabled());
    EXPECT_EQ(d_.rollTimer->interval(), 32);
    EXPECT_EQ(d_.rollTimer->policy(), TickPolicy::Pacing);
    QSet<int> shown;
    for (int tick = 0; tick < 200; ++tick) {
        t.advance(32);
        const int n = d_.number->text().toInt();
        ASSERT_GE(n, 1);
        ASSERT_LE(n, 5);
        shown.insert(n);
    }
    EXPECT_EQ(shown.size(), 5);
}

TEST_F(SequenceDrawTest, AWholeRoundOfFiveThroughTheButtons)
{
    SequenceDraw& d = openDraw("5");
    const SequenceControls d_(&d);
    QList<int> drawn;
    for (int i = 1; i <= 5; ++i) {
        const int n = drawOne(d);
        drawn << n;
        EXPECT_DOUBLE_EQ(d.heightTwips(), SequenceDraw::kDrawnHeight);
        EXPECT_FALSE(d_.rollTimer->isEnabled());
        // The drawn number stays while time passes.
        t.advance(1000);
        EXPECT_EQ(d_.number->text().toInt(), n);
        if (i < 5) {
            EXPECT_EQ(d_.prompt->text(), "您抽取的顺序号为:");
            EXPECT_FALSE(d_.drawButton->isEnabled());
            EXPECT_TRUE(d_.nextButton->isEnabled());
            EXPECT_TRUE(d_.nextButton->hasFocus() || !d.isActiveWindow());
            EXPECT_TRUE(draw() && draw()->isRoundOpen());
            d_.nextButton->click();
            EXPECT_EQ(d_.prompt->text(), "请点击“抽签”按钮");
            EXPECT_TRUE(d_.drawButton->isEnabled());
            EXPECT_FALSE(d_.nextButton->isEnabled());
            EXPECT_TRUE(d_.rollTimer->isEnabled());
        }
    }
    QStringList expectedList;
    for (int n : drawn)
        expectedList << QString::number(n);
    EXPECT_EQ(d_.drawnList->toPlainText(), expectedList.join("，"));
    EXPECT_EQ(std::vector<int>(drawn.begin(), drawn.end()), d.round().drawn());
    std::sort(drawn.begin(), drawn.end());
    EXPECT_EQ(drawn, (QList<int>{1, 2, 3, 4, 5}));

    // Round over.
    EXPECT_TRUE(d_.roundOver->isVisible());
    EXPECT_EQ(d_.roundOver->text(), "本轮抽签结束！");
    EXPECT_FALSE(d_.prompt->isVisible());
    EXPECT_FALSE(d_.drawButton->isEnabled());
    EXPECT_FALSE(d_.nextButton->isEnabled());
    EXPECT_TRUE(d_.nextRoundButton->isEnabled());
    EXPECT_FALSE(draw() && draw()->isRoundOpen());
    EXPECT_EQ(t.sounds.log.plays("ding.wav"), 1);
    EXPECT_EQ(t.sounds.log.commands.last(), "2:Play ding.wav");
    EXPECT_TRUE(d.round().isOver());
}

TEST_F(SequenceDrawTest, NextRoundStartsEmptyShowingZeroUntilTheFirstTick)
{
    SequenceDraw& d = openDraw("3");
    const SequenceControls d_(&d);
    for (int i = 0; i < 3; ++i) {
        drawOne(d);
        if (d_.nextButton->isEnabled())
            d_.nextButton->click();
    }
    ASSERT_TRUE(d_.nextRoundButton->isEnabled());
    d_.nextRoundButton->click();
    EXPECT_EQ(d_.drawnList->toPlainText(), "");
    EXPECT_TRUE(d.round().drawn().empty());
    EXPECT_EQ(d.round().remaining(), 3);
    EXPECT_EQ(d_.number->text(), "0");
    EXPECT_TRUE(d_.prompt->isVisible());
    EXPECT_EQ(d_.prompt->text(), "请点击“抽签”按钮开始抽签");
    EXPECT_FALSE(d_.roundOver->isVisible());
    EXPECT_TRUE(d_.drawButton->isEnabled());
    EXPECT_FALSE(d_.nextButton->isEnabled());
    EXPECT_FALSE(d_.nextRoundButton->isEnabled());
    EXPECT_FALSE(draw() && draw()->isRoundOpen());
    t.advance(31);
    EXPECT_EQ(d_.number->text(), "0");
    t.advance(1);
    EXPECT_NE(d_.number->text(), "0");

    // Every number can come up again, and the new round opens with its first draw.
    QList<int> again;
    for (int i = 0; i < 3; ++i) {
        again << drawOne(d);
        if (i == 0) {
            EXPECT_TRUE(draw() && draw()->isRoundOpen());
        }
        if (d_.nextButton->isEnabled())
            d_.nextButton->click();
    }
    std::sort(again.begin(), again.end());
    EXPECT_EQ(again, (QList<int>{1, 2, 3}));
}

TEST_F(SequenceDrawTest, EndingMidRoundAsksAndContinueReturnsToTheSameState)
{
    SequenceDraw& d = openDraw("5");
    const SequenceControls d_(&d);
    drawOne(d);
    // "抽  签" takes one number per "下一个".
    const QString once = d_.drawnList->toPlainText();
    d_.drawButton->click();
    EXPECT_EQ(d_.drawnList->toPlainText(), once);
    d_.nextButton->click();
    drawOne(d);
    const Snapshot left = snapshot(d);
    const int sounds = int(t.sounds.log.commands.size());

    d_.endButton->click();
    EXPECT_EQ(soundLogSince(sounds),
              (QStringList{"1:Close", "2:Close", "2:Open notify.wav", "2:Play notify.wav"}));
    EXPECT_FALSE(d.isVisible());
    DrawLauncher* l = launcher();
    ASSERT_NE(l, nullptr);
    const LauncherControls l_(l);
    EXPECT_TRUE(l->isVisible());
    for (QWidget* shown : std::initializer_list<QWidget*>{l_.question, l_.endDraw, l_.continueDraw})
        EXPECT_TRUE(shown->isVisible()) << shown->objectName().toStdString();
    for (QWidget* hidden :
         std::initializer_list<QWidget*>{l_.modeView, l_.entryGroup, l_.countBox, l_.confirm})
        EXPECT_FALSE(hidden->isVisible()) << hidden->objectName().toStdString();
    EXPECT_FALSE(main->isVisible());

    t.advance(500);
    l_.continueDraw->click();
    EXPECT_TRUE(d.isVisible());
    EXPECT_FALSE(l->isVisible());
    EXPECT_EQ(snapshot(d), left);

    // The same question comes again, and "结束抽签" closes both windows.
    d_.nextButton->click();
    d_.endButton->click();
    ASSERT_TRUE(l_.endDraw->isVisible());
    l_.endDraw->click();
    EXPECT_EQ(draw(), nullptr);
    EXPECT_EQ(launcher(), nullptr);
    EXPECT_FALSE(d_.rollTimer->isEnabled());
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(mainControls().trackingTimer()->isEnabled());
}

TEST_F(SequenceDrawTest, EndingOutsideARoundClosesAtOnce)
{
    // Before the first draw.
    SequenceControls(&openDraw("4")).endButton->click();
    EXPECT_EQ(draw(), nullptr);
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(mainControls().trackingTimer()->isEnabled());
    EXPECT_FALSE(launcher() && launcher()->isVisible());
    EXPECT_TRUE(t.dialogs.shown.isEmpty());
    TestProgram::settle();

    // Right after the last draw of a round.
    SequenceDraw& d = openDraw("2");
    const SequenceControls d_(&d);
    drawOne(d);
    d_.nextButton->click();
    drawOne(d);
    ASSERT_FALSE(draw() && draw()->isRoundOpen());
    mainControls().trackingTimer()->setEnabled(false);
    d_.endButton->click();
    EXPECT_EQ(draw(), nullptr);
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(mainControls().trackingTimer()->isEnabled());
}

TEST_F(SequenceDrawTest, CloseBoxMidRoundAsksLikeTheEndButton)
{
    SequenceDraw& d = openDraw("5");
    const SequenceControls d_(&d);
    drawOne(d);
    d.close();
    ASSERT_NE(draw(), nullptr);
    EXPECT_FALSE(d.isVisible());
    EXPECT_TRUE(LauncherControls(launcher()).continueDraw->isVisible());

    // Closing the question leaves the draw, as "结束抽签" does.
    launcher()->close();
    EXPECT_EQ(draw(), nullptr);
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(mainControls().trackingTimer()->isEnabled());
}

TEST_F(SequenceDrawTest, AFractionalCountIsUsedAsItCame)
{
    SequenceDraw& d = openDraw("2.5");
    const SequenceControls d_(&d);
    EXPECT_FLOAT_EQ(d.participantCount(), 2.5f);
    EXPECT_EQ(d_.heading->text(), "抽签总人数为2.5人，已抽出顺序号如下：");
    EXPECT_EQ(d.round().remaining(), 2);
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
    const SequenceControls second_(&second);
    EXPECT_NE(&second, &first);
    EXPECT_FLOAT_EQ(second.participantCount(), 7);
    EXPECT_EQ(second_.drawnList->toPlainText(), "");
    EXPECT_EQ(second.round().remaining(), 7);
}

TEST_F(SequenceDrawTest, TwoHundredFitsTheDisplayInLegibleDigits)
{
    SequenceDraw& d = openDraw("200");
    const SequenceControls d_(&d);
    const QFontMetricsF metrics(d_.number->font(), d_.number);
    EXPECT_GE(d_.number->font().pointSizeF(), 200.0);
    EXPECT_LE(d_.number->font().pointSizeF(), SequenceDraw::kNumberPoints);
    EXPECT_LE(metrics.horizontalAdvance("200"), d_.number->width());
    const QRectF glyphs = metrics.tightBoundingRect("200");
    const qreal baseline = (d_.number->height() - metrics.height()) / 2 + metrics.ascent();
    EXPECT_GE(baseline + glyphs.top(), 0);
    EXPECT_LE(baseline + glyphs.bottom(), d_.number->height());
    // The big digits sit inside the display frame, below the button bar.
    EXPECT_LE(d_.number->geometry().right(), d_.display->width());
}

namespace {

// Draws every number of the round through the buttons.
void drawWholeRound(SequenceDraw& d)
{
    const SequenceControls d_(&d);
    while (!d.round().isOver()) {
        if (d_.nextButton->isEnabled())
            d_.nextButton->click();
        d_.drawButton->click();
    }
}

// Every number of the round is in view at once: nothing to scroll, nothing under the digits.
void expectWholeListInView(SequenceDraw& d, int count)
{
    const SequenceControls d_(&d);
    QList<int> listed;
    for (const QString& n : d_.drawnList->toPlainText().split("，"))
        listed << n.toInt();
    std::sort(listed.begin(), listed.end());
    QList<int> all;
    for (int n = 1; n <= count; ++n)
        all << n;
    EXPECT_EQ(listed, all);

    EXPECT_LE(d_.drawnList->document()->size().height(), d_.drawnList->viewport()->height());
    EXPECT_EQ(d_.drawnList->verticalScrollBar()->maximum(), 0);
    const QRect list(d_.drawnList->mapTo(&d, QPoint(0, 0)), d_.drawnList->size());
    EXPECT_TRUE(d.rect().contains(list));
    const QRect number(d_.number->mapTo(&d, QPoint(0, 0)), d_.number->size());
    EXPECT_FALSE(list.intersects(number));
    const QRect heading(d_.heading->mapTo(&d, QPoint(0, 0)), d_.heading->size());
    EXPECT_FALSE(list.intersects(heading));

    // The big digits stay whole, below the prompt.
    const QFontMetricsF metrics(d_.number->font(), d_.number);
    const QRectF glyphs = metrics.tightBoundingRect(d_.number->text());
    const qreal baseline = (d_.number->height() - metrics.height()) / 2 + metrics.ascent();
    EXPECT_GE(d_.number->y() + baseline + glyphs.top(), d_.prompt->geometry().bottom());
    EXPECT_LE(baseline + glyphs.bottom(), d_.number->height());
}

} // namespace

TEST_F(SequenceDrawTest, AWholeRoundOfThirtyStaysInViewInLargeType)
{
    SequenceDraw& d = openDraw("30");
    drawWholeRound(d);
    expectWholeListInView(d, 30);
    // Read from the back row: not smaller than the type of a short round.
    EXPECT_GE(SequenceControls(&d).drawnList->font().pointSizeF(), 15.75);
}

TEST_F(SequenceDrawTest, AWholeRoundOfTwoHundredStaysInView)
{
    SequenceDraw& d = openDraw("200");
    drawWholeRound(d);
    expectWholeListInView(d, 200);
    EXPECT_GE(SequenceControls(&d).drawnList->font().pointSizeF(), 10.5);
}
