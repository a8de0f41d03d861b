#include "ui/draw/SlideDraw.h"

#include "platform/Timer.h"
#include "support/FindControl.h"
#include "support/TestProgram.h"
#include "ui/draw/DeckConversionNotice.h"
#include "ui/main/MainWindow.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <gtest/gtest.h>
#include <set>
#include <stdexcept>

namespace {

QPushButton* prepareButton(SlideDraw& draw)
{
    return control<QPushButton>(&draw, "Command3");
}
QPushButton* drawButton(SlideDraw& draw)
{
    return control<QPushButton>(&draw, "Command4");
}
QPushButton* quitButton(SlideDraw& draw)
{
    return control<QPushButton>(&draw, "Command1");
}
QLineEdit* counter(SlideDraw& draw)
{
    return control<QLineEdit>(&draw, "Text1");
}
Timer* rollTimer(SlideDraw& draw)
{
    return control<Timer>(&draw, "Timer1");
}

class SlideDrawTest : public ::testing::Test {
protected:
    SlideDraw& open(int slides)
    {
        t.presentations.decks[QStringLiteral("MYPPT.ppt")] = slides;
        return openAsIs();
    }

    SlideDraw& openAsIs()
    {
        MainWindow& main = t.start();
        control<Timer>(&main, "Timer2")->setEnabled(false);
        main.hide();
        auto* draw = t.program->window<SlideDraw>();
        draw->show();
        // The deck opens from the event loop.
        TestProgram::settle();
        return *draw;
    }

    // Prepare, let the show roll a little, then draw; the slide drawn.
    int drawOne(SlideDraw& draw)
    {
        prepareButton(draw)->click();
        t.advance(30);
        drawButton(draw)->click();
        // The counter follows once the show has caught up.
        t.advance(0);
        return draw.lastSlide();
    }

    int roundOverMessages() const
    {
        int n = 0;
        for (const auto& box : t.dialogs.shown)
            n += box.title == SlideDraw::kNoticeTitle && box.text == SlideDraw::kRoundOver ? 1 : 0;
        return n;
    }

    TestProgram t;
};

TEST_F(SlideDrawTest, LoadRunsTheDeckAndKeepsTheToolbarAboveTheShow)
{
    t.presentations.decks[QStringLiteral("MYPPT.ppt")] = 25;
    t.start();
    SlideDraw& draw = *t.program->window<SlideDraw>();
    TestProgram::settle();
    EXPECT_EQ(t.presentations.log, QStringList({"open MYPPT.ppt", "run MYPPT.ppt"}));
    EXPECT_EQ(draw.deckSlideCount(), 25);
    EXPECT_EQ(draw.drawableSlideCount(), 25);
    EXPECT_EQ(counter(draw)->text(), "000/000");
    EXPECT_TRUE(t.windows.aboveFullScreen.contains("Form5"));
    EXPECT_NEAR(draw.leftTwips(), (t.windows.screen.width() - draw.widthTwips()) / 2, 15);
    EXPECT_TRUE(prepareButton(draw)->isEnabled());
    EXPECT_FALSE(drawButton(draw)->isEnabled());
    EXPECT_TRUE(t.dialogs.shown.isEmpty());
}

TEST_F(SlideDrawTest, PrepareRollsTheShowUntilDraw)
{
    SlideDraw& draw = open(25);
    prepareButton(draw)->click();
    EXPECT_TRUE(rollTimer(draw)->isEnabled());
    EXPECT_FALSE(prepareButton(draw)->isEnabled());
    EXPECT_TRUE(drawButton(draw)->isEnabled());
    EXPECT_EQ(counter(draw)->text(), SlideDraw::kDrawing);
    EXPECT_LE(QFontMetrics(counter(draw)->font()).horizontalAdvance(counter(draw)->text()),
              counter(draw)->contentsRect().width())
        << "the counter's text fits its box";

    std::set<int> seen;
    for (int i = 0; i < 100; ++i) {
        t.advance(6);
        seen.insert(*t.presentations.latest->currentShowPosition());
    }
    EXPECT_GT(seen.size(), 5u) << "the show should flicker through random slides";

    drawButton(draw)->click();
    EXPECT_FALSE(rollTimer(draw)->isEnabled());
    EXPECT_TRUE(prepareButton(draw)->isEnabled());
    EXPECT_FALSE(drawButton(draw)->isEnabled());
    // The draw's own second jump, once the show has caught up.
    t.advance(0);
    const int calls = t.presentations.gotoCalls;
    t.advance(100);
    EXPECT_EQ(t.presentations.gotoCalls, calls) << "no rolling after the draw";
}

TEST_F(SlideDrawTest, ARoundGivesEverySlideOnceThenStartsAgain)
{
    SlideDraw& draw = open(25);
    std::multiset<int> drawn;
    for (int i = 0; i < 24; ++i)
        drawn.insert(drawOne(draw));
    EXPECT_EQ(roundOverMessages(), 0);
    drawn.insert(drawOne(draw));
    EXPECT_EQ(roundOverMessages(), 1);
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_EQ(t.dialogs.shown[0].icon, MessageIcon::Information);
    for (int slide = 1; slide <= 25; ++slide)
        EXPECT_EQ(drawn.count(slide), 1u) << "slide " << slide;

    const int next = drawOne(draw);
    EXPECT_GE(next, 1);
    EXPECT_LE(next, 25);
    EXPECT_EQ(roundOverMessages(), 1);
}

TEST_F(SlideDrawTest, OnlyTheFirst200SlidesOfALargeDeckAreDrawn)
{
    SlideDraw& draw = open(230);
    EXPECT_EQ(draw.drawableSlideCount(), 200);
    for (int i = 0; i < 3; ++i) {
        const int slide = drawOne(draw);
        EXPECT_GE(slide, 1);
        EXPECT_LE(slide, 200);
        EXPECT_TRUE(counter(draw)->text().endsWith("/230")) << counter(draw)->text().toStdString();
    }
}

TEST_F(SlideDrawTest, CounterShowsThePositionReadBackFromTheShow)
{
    // A show that lands one slide further than asked (a deck with a custom order, say).
    t.presentations.landOn = [](int n) { return n % 25 + 1; };
    SlideDraw& draw = open(25);
    const int slide = drawOne(draw);
    EXPECT_EQ(counter(draw)->text(), QStringLiteral("%1/25").arg(slide % 25 + 1));
}

TEST_F(SlideDrawTest, AShowEndedWithEscIsSaidOnTheToolbarAndPrepareBringsItBack)
{
    SlideDraw& draw = open(25);
    const int first = drawOne(draw);
    prepareButton(draw)->click();
    t.advance(30);
    const double height = draw.heightTwips();
    auto* hint = control<QLabel>(&draw, "LabelShowEnded");
    EXPECT_FALSE(hint->isVisible());

    // Esc in the rolling show: no rolling and no draw into a show nobody sees.
    t.presentations.endShowsByUser();
    EXPECT_FALSE(rollTimer(draw)->isEnabled());
    EXPECT_FALSE(drawButton(draw)->isEnabled());
    EXPECT_TRUE(prepareButton(draw)->isEnabled());
    EXPECT_EQ(counter(draw)->text(), SlideDraw::kShowEnded);
    EXPECT_TRUE(hint->isVisible());
    EXPECT_TRUE(hint->text().contains(QStringLiteral("准备")) &&
                hint->text().contains(QStringLiteral("退出")));
    EXPECT_GT(draw.heightTwips(), height + 400) << "the toolbar grows to show how to go on";
    EXPECT_TRUE(draw.rect().contains(hint->geometry())) << "the hint lies within the toolbar";
    const int calls = t.presentations.gotoCalls;
    t.advance(100);
    EXPECT_EQ(t.presentations.gotoCalls, calls);

    // 准备 brings the show back and the round goes on where it was.
    const int second = drawOne(draw);
    EXPECT_EQ(t.presentations.runningShows(), 1);
    EXPECT_FALSE(hint->isVisible());
    EXPECT_NEAR(draw.heightTwips(), height, 15);
    EXPECT_NE(second, first);
    EXPECT_EQ(draw.remainingInRound(), 23);
    EXPECT_EQ(counter(draw)->text(), QStringLiteral("%1/25").arg(second));
}

TEST_F(SlideDrawTest, ADeckConvertedFirstIsWaitedForWithANoticeThatCanCancel)
{
    for (const bool cancel : {false, true}) {
        SCOPED_TRACE(cancel ? "cancelled" : "waited for");
        TestProgram fresh;
        fresh.presentations.decks[QStringLiteral("MYPPT.ppt")] = 25;
        fresh.presentations.unconverted.insert(QStringLiteral("MYPPT.ppt"));
        fresh.start();
        auto* draw = fresh.program->window<SlideDraw>();
        ASSERT_NE(draw, nullptr);
        draw->show();
        fresh.main().hide();
        TestProgram::settle();
        QPointer<DeckConversionNotice> notice;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* found = qobject_cast<DeckConversionNotice*>(window); found && found->isVisible())
                notice = found;
        }
        ASSERT_NE(notice, nullptr);
        EXPECT_TRUE(notice->text().contains(QStringLiteral("MYPPT.ppt")));
        EXPECT_FALSE(prepareButton(*draw)->isEnabled()) << "nothing to roll before the deck is open";
        EXPECT_EQ(fresh.presentations.runningShows(), 0);

        if (cancel) {
            // As 退出: the conversion ends and the main window comes back.
            notice->findChild<QPushButton*>(QStringLiteral("CancelConversion"))->click();
            TestProgram::settle();
            EXPECT_FALSE(fresh.program->isLoaded(WindowKind::SlideDraw));
            EXPECT_EQ(fresh.presentations.conversionsCancelled, 1);
            EXPECT_EQ(fresh.presentations.alive, 0);
            EXPECT_TRUE(fresh.main().isVisible());
            EXPECT_TRUE(control<Timer>(&fresh.main(), "Timer2")->isEnabled());
            EXPECT_TRUE(fresh.dialogs.shown.isEmpty());
            continue;
        }
        fresh.presentations.finishConversions();
        TestProgram::settle();
        EXPECT_TRUE(!notice || !notice->isVisible());
        EXPECT_EQ(fresh.presentations.runningShows(), 1);
        EXPECT_TRUE(prepareButton(*draw)->isEnabled());
        EXPECT_EQ(draw->drawableSlideCount(), 25);
        EXPECT_TRUE(fresh.dialogs.shown.isEmpty());
    }
}

TEST_F(SlideDrawTest, TheToolbarIsDraggedByItsBackgroundAndItsCounter)
{
    SlideDraw& draw = open(25);
    auto drag = [&draw](QWidget* on, QPoint by, QPoint start = QPoint(3, 3)) {
        const QPoint global = on->mapToGlobal(start);
        QMouseEvent press(QEvent::MouseButtonPress, start, global, Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(on, &press);
        QMouseEvent move(QEvent::MouseMove, start + by, global + by, Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(on, &move);
        QMouseEvent release(QEvent::MouseButtonRelease, start + by, global + by, Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(on, &release);
        return draw.pos();
    };
    const QPoint before = draw.pos();
    EXPECT_EQ(drag(counter(draw), QPoint(40, 25), counter(draw)->rect().center()), before + QPoint(40, 25));
    EXPECT_EQ(drag(&draw, QPoint(-10, 5)), before + QPoint(30, 30));
    // A press on a button is the button's, not a drag.
    drag(quitButton(draw), QPoint(50, 50), quitButton(draw)->rect().center());
    EXPECT_EQ(draw.pos(), before + QPoint(30, 30));
}

TEST_F(SlideDrawTest, QuitWithoutPrepareReturnsToTheMainWindow)
{
    SlideDraw& draw = open(25);
    quitButton(draw)->click();
    TestProgram::settle();
    EXPECT_FALSE(t.program->isLoaded(WindowKind::SlideDraw));
    EXPECT_EQ(t.presentations.log.last(), "quit MYPPT.ppt");
    EXPECT_EQ(t.presentations.alive, 0);
    EXPECT_EQ(t.windows.taskbarShown, 1);
    EXPECT_TRUE(t.main().isVisible());
    EXPECT_TRUE(control<Timer>(&t.main(), "Timer2")->isEnabled());
}

TEST_F(SlideDrawTest, QuitClickedWhileADrawWaitsForTheShowEndsCleanly)
{
    // One slide: the draw would end the round and say so, after the user already left.
    SlideDraw& draw = open(1);
    prepareButton(draw)->click();
    t.advance(20);
    // The click on 退出 is waiting in the queue when 抽签 lets events run between its jumps.
    QMetaObject::invokeMethod(quitButton(draw), "click", Qt::QueuedConnection);
    drawButton(draw)->click();
    TestProgram::settle();
    EXPECT_FALSE(t.program->isLoaded(WindowKind::SlideDraw));
    EXPECT_EQ(t.presentations.alive, 0);
    EXPECT_EQ(t.presentations.log.count("quit MYPPT.ppt"), 1);
    EXPECT_TRUE(t.dialogs.shown.isEmpty());
    EXPECT_TRUE(t.main().isVisible());
}

TEST_F(SlideDrawTest, ClosingTheWindowOtherwiseCleansUpAsQuitDoes)
{
    SlideDraw& draw = open(25);
    prepareButton(draw)->click();
    t.advance(20);
    draw.close();
    TestProgram::settle();
    EXPECT_FALSE(t.program->isLoaded(WindowKind::SlideDraw));
    EXPECT_EQ(t.presentations.runningShows(), 0);
    EXPECT_EQ(t.presentations.alive, 0);
    EXPECT_EQ(t.windows.taskbarShown, 1);
    EXPECT_TRUE(t.main().isVisible());
    EXPECT_TRUE(control<Timer>(&t.main(), "Timer2")->isEnabled());
    EXPECT_EQ(t.presentations.log.count("quit MYPPT.ppt"), 1);
}

TEST(SlideDrawDeckProblems, AMissingOrEmptyDeckIsToldAndTheWindowStaysUsable)
{
    for (const bool missing : {true, false}) {
        SCOPED_TRACE(missing ? "missing deck" : "deck without slides");
        TestProgram fresh;
        if (!missing)
            fresh.presentations.decks[QStringLiteral("MYPPT.ppt")] = 0;
        fresh.start();
        auto* draw = fresh.program->window<SlideDraw>();
        ASSERT_NE(draw, nullptr);
        TestProgram::settle();
        ASSERT_EQ(fresh.dialogs.shown.size(), 1);
        EXPECT_EQ(fresh.dialogs.shown[0].title, SlideDraw::kNoticeTitle);
        EXPECT_TRUE(fresh.dialogs.shown[0].text.contains("MYPPT.ppt"));
        EXPECT_EQ(fresh.dialogs.shown[0].folder, fresh.program->dataFolder())
            << "it offers the deck's folder";

        prepareButton(*draw)->click();
        EXPECT_EQ(fresh.dialogs.shown.size(), 2) << "Prepare repeats why nothing can be drawn";
        EXPECT_FALSE(rollTimer(*draw)->isEnabled());
        EXPECT_FALSE(drawButton(*draw)->isEnabled());
        EXPECT_TRUE(prepareButton(*draw)->isEnabled());

        quitButton(*draw)->click();
        TestProgram::settle();
        EXPECT_FALSE(fresh.program->isLoaded(WindowKind::SlideDraw));
        EXPECT_TRUE(fresh.main().isVisible());
    }
}

TEST_F(SlideDrawTest, EveryOpeningStartsWithAFullPotAndANewShow)
{
    SlideDraw& first = open(3);
    drawOne(first);
    drawOne(first);
    quitButton(first)->click();
    TestProgram::settle();

    auto* second = t.program->window<SlideDraw>();
    ASSERT_NE(second, nullptr);
    TestProgram::settle();
    EXPECT_EQ(t.presentations.created, 2);
    EXPECT_EQ(second->remainingInRound(), 3);
    EXPECT_EQ(counter(*second)->text(), "000/000");
}

} // namespace
