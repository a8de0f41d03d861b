#include "DrawTestSupport.h"
#include "platform/Timer.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class Launcher : public ::testing::Test, public DrawFixture {
protected:
    double clientHeightTwips(QWidget* w) { return w->height() * t.windows.twipsPerPixel(); }
    double heightTwips(QWidget* w) { return twips::controlRect(w, t.windows.twipsPerPixel()).height; }

    // Types into the count box as the user does: the box's own style filters the keys.
    void typeCount(DrawLauncher& l, const char* keys)
    {
        l.Text2->clear();
        QTest::keyClicks(l.Text2, QString::fromLatin1(keys));
    }
};

// Windows that stand in for the ones other parts of the program provide.
class StandInWindow : public Form {
    Q_OBJECT
public:
    StandInWindow(Program& p, WindowKind id) : Form(p, id)
    {
        resize(300, 200);
        quit = new QPushButton(QStringLiteral("退出"), this);
        quit->setObjectName(QStringLiteral("CommandQuit"));
        quit->setEnabled(false);
    }
    Q_INVOKABLE void startNoteShow()
    {
        calls << QStringLiteral("start ") + program().instructionShow().deck();
    }
    Q_INVOKABLE void closeNoteShow() { calls << QStringLiteral("close"); }
    QPushButton* quit;
    QStringList calls;
};

} // namespace

TEST_F(Launcher, MainButtonHidesTheMainWindowAndOpensTheModeView)
{
    t.program->enlargedNotice() = EnlargedNotice::None;
    DrawLauncher& l = openLauncher();

    EXPECT_FALSE(main->isVisible());
    EXPECT_FALSE(main->Timer2->isEnabled());
    EXPECT_TRUE(l.isVisible());
    EXPECT_TRUE(l.Frame3->isVisible());
    EXPECT_TRUE(l.Command11->isVisible() && l.Command10->isVisible() && l.Command12->isVisible());
    EXPECT_TRUE(l.Command1->isVisible() && l.Command2->isVisible());
    EXPECT_FALSE(l.Label7->isVisible());
    EXPECT_DOUBLE_EQ(clientHeightTwips(&l), DrawLauncher::kDesignClientHeight);
    EXPECT_NEAR(l.topTwips(), main->topTwips(), 15);
    // Centred at load, before the frame of the window exists: half a frame's width of leeway.
    EXPECT_NEAR(l.leftTwips(), (t.windows.screenSizeTwips().width() - l.widthTwips()) / 2, 45);
    EXPECT_TRUE(t.windows.topMost.contains("Form2"));
    EXPECT_EQ(t.program->enlargedNotice(), EnlargedNotice::None);
    EXPECT_EQ(l.Label7->text(), "\n本轮抽签还没有结束\n\n您确实要退出抽签程序吗？");
    EXPECT_EQ(l.Text2->text(), "5");
    EXPECT_EQ(l.Text2->maxLength(), 3);
    EXPECT_NE(l.Text2->validator(), nullptr);
    // The question's buttons never cover its text.
    const QRect text = l.Label7->fontMetrics().boundingRect(l.Label7->contentsRect(),
                                                            int(l.Label7->alignment()), l.Label7->text());
    EXPECT_GE(l.Command8->y(), l.Label7->y() + text.bottom());
    EXPECT_LE(l.Command8->y() + l.Command8->height(), twips::toPixels(DrawLauncher::kEntryFrameHeight, 15));
}

TEST_F(Launcher, CountEntryViewAndAFreshModeViewOnEveryOpening)
{
    DrawLauncher& l = openLauncher();
    l.Command11->click();
    EXPECT_FALSE(l.Frame3->isVisible());
    for (QWidget* shown :
         std::initializer_list<QWidget*>{l.Frame4, l.Label6, l.Command6, l.Label5, l.Text2, l.Command5})
        EXPECT_TRUE(shown->isVisible()) << shown->objectName().toStdString();
    for (QWidget* hidden : std::initializer_list<QWidget*>{l.Label7, l.Command8, l.Command9})
        EXPECT_FALSE(hidden->isVisible()) << hidden->objectName().toStdString();
    EXPECT_DOUBLE_EQ(heightTwips(l.Frame1), DrawLauncher::kEntryFrameHeight);
    EXPECT_NEAR(l.heightTwips(), DrawLauncher::kEntryWindowHeight, 15);
    EXPECT_TRUE(l.Text2->hasSelectedText());

    // "取消" goes home; the next "抽签" starts over in the mode view at full size.
    l.Command6->click();
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(main->Timer2->isEnabled());
    EXPECT_EQ(launcher(), nullptr);
    TestProgram::settle();

    DrawLauncher& again = openLauncher();
    EXPECT_TRUE(again.Frame3->isVisible());
    EXPECT_DOUBLE_EQ(clientHeightTwips(&again), DrawLauncher::kDesignClientHeight);
    EXPECT_EQ(again.Text2->text(), "5");
}

TEST_F(Launcher, TypedCountsAreFilteredAndClamped)
{
    struct Case {
        const char* keys;
        const char* shown;
        float count;
    };
    const Case cases[] = {
        {"5", "5", 5},        {"", "", 2},    {"0", "0", 2},     {"1", "1", 2},       {"999", "999", 200},
        {"1234", "123", 123}, {"1a", "1", 2}, {"x37", "37", 37}, {"201", "201", 200},
    };
    for (const Case& c : cases) {
        DrawLauncher& l = openLauncher();
        l.Command11->click();
        typeCount(l, c.keys);
        EXPECT_EQ(l.Text2->text(), c.shown) << c.keys;
        EXPECT_FLOAT_EQ(l.EnteredCount, c.count) << c.keys;
        EXPECT_EQ(l.beepsSounded(), 0) << "typing is filtered without a sound: " << c.keys;
        l.Command5->click();
        EXPECT_FLOAT_EQ(t.program->state().DrawTotal, c.count) << c.keys;
        ASSERT_NE(draw(), nullptr);
        EXPECT_FLOAT_EQ(draw()->TotalCount, c.count) << c.keys;
        EXPECT_FALSE(l.isVisible());
        draw()->Command7->click();
        TestProgram::settle();
    }
}

TEST_F(Launcher, NonDigitsThatGetPastTheStyleAreRemovedWithTwoBeepsEach)
{
    DrawLauncher& l = openLauncher();
    l.Command11->click();

    // The digits-only style refuses a paste with a letter in it, whole.
    l.Text2->clear();
    l.Text2->insert(QStringLiteral("1a"));
    EXPECT_EQ(l.Text2->text(), "");
    EXPECT_EQ(l.beepsSounded(), 0);

    // Without the style, the change handler removes what got in.
    DrawLauncher::setNumberH(l.Text2, false);
    EXPECT_EQ(l.Text2->validator(), nullptr);
    l.Label5->hide();
    l.Text2->insert(QStringLiteral("1a"));
    EXPECT_EQ(l.Text2->text(), "1");
    EXPECT_EQ(l.beepsSounded(), 2);
    EXPECT_TRUE(l.Label5->isVisible());
    EXPECT_FLOAT_EQ(l.EnteredCount, 2);

    // A letter in front goes itself, not the digit before the caret.
    l.Text2->clear();
    l.Text2->insert(QStringLiteral("a12"));
    EXPECT_EQ(l.Text2->text(), "12");
    EXPECT_EQ(l.beepsSounded(), 4);
    EXPECT_FLOAT_EQ(l.EnteredCount, 12);

    // One letter is both ends of the text: two beeps for each.
    l.Text2->clear();
    l.Text2->insert(QStringLiteral("a"));
    EXPECT_EQ(l.Text2->text(), "");
    EXPECT_EQ(l.beepsSounded(), 8);
    EXPECT_FLOAT_EQ(l.EnteredCount, 2);

    // Digits at both ends pass; the count is the number the text starts with.
    l.Text2->setText(QStringLiteral("1b9"));
    EXPECT_EQ(l.beepsSounded(), 8);
    EXPECT_FLOAT_EQ(l.EnteredCount, 2);
    l.Text2->setText(QStringLiteral("2.5"));
    EXPECT_FLOAT_EQ(l.EnteredCount, 2.5f);
}

TEST_F(Launcher, CloseBoxLeadsHomeFromTheModeView)
{
    DrawLauncher& l = openLauncher();
    l.close();
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(main->Timer2->isEnabled());
    EXPECT_EQ(launcher(), nullptr);
}

TEST_F(Launcher, FeaturesNotInThisBuildSaySoAndLeaveTheModeViewOpen)
{
    keepOnlyDrawWindows();
    DrawLauncher& l = openLauncher();
    int boxes = 0;
    for (QPushButton* button : {l.Command10, l.Command12, l.Command1, l.Command2}) {
        button->click();
        ASSERT_EQ(t.dialogs.shown.size(), ++boxes);
        EXPECT_EQ(t.dialogs.shown.last().title, "Vantrel工具提示：");
        EXPECT_TRUE(t.dialogs.shown.last().text.contains(button->text())) << button->text().toStdString();
        EXPECT_TRUE(l.isVisible());
        EXPECT_TRUE(l.Frame3->isVisible());
        EXPECT_FALSE(main->isVisible());
    }
    EXPECT_EQ(t.program->instructionShow().deck(), "MYPPT.PPT");
    // The sequence-number draw is still there to choose.
    l.Command11->click();
    l.Command5->click();
    EXPECT_NE(draw(), nullptr);
}

TEST_F(Launcher, NameListDrawOpensCentredUnderTheMainWindowsTopWithItsQuitEnabled)
{
    t.program->registerForm(WindowKind::NameListDraw,
                            [](Program& p) { return new StandInWindow(p, WindowKind::NameListDraw); });
    DrawLauncher& l = openLauncher();
    l.Command10->click();
    auto* names = qobject_cast<StandInWindow*>(t.program->loadedForm(WindowKind::NameListDraw));
    ASSERT_NE(names, nullptr);
    EXPECT_TRUE(names->isVisible());
    EXPECT_FALSE(l.isVisible());
    EXPECT_NE(launcher(), nullptr);
    EXPECT_TRUE(names->quit->isEnabled());
    EXPECT_NEAR(names->topTwips(), main->topTwips(), 15);
    EXPECT_NEAR(names->leftTwips(), (t.windows.screenSizeTwips().width() - names->widthTwips()) / 2, 15);
    EXPECT_TRUE(t.dialogs.shown.isEmpty());
}

TEST_F(Launcher, SlideDrawClosesARunningInstructionShowFirst)
{
    t.program->registerForm(WindowKind::SlideDraw,
                            [](Program& p) { return new StandInWindow(p, WindowKind::SlideDraw); });
    t.program->registerForm(WindowKind::InstructionPlayer,
                            [](Program& p) { return new StandInWindow(p, WindowKind::InstructionPlayer); });
    auto* player = qobject_cast<StandInWindow*>(t.program->form(WindowKind::InstructionPlayer));
    t.program->instructionShow().setOpen(true);
    DrawLauncher& l = openLauncher();
    l.Command12->click();
    EXPECT_EQ(player->calls, QStringList{"close"});
    EXPECT_FALSE(t.program->instructionShow().isOpen());
    Form* slides = t.program->loadedForm(WindowKind::SlideDraw);
    ASSERT_NE(slides, nullptr);
    EXPECT_TRUE(slides->isVisible());
    EXPECT_FALSE(l.isVisible());
    EXPECT_FALSE(main->isVisible());

    // Without a show running nothing is closed.
    player->calls.clear();
    t.program->unload(WindowKind::SlideDraw);
    DrawLauncher& next = openLauncher();
    next.Command12->click();
    EXPECT_TRUE(player->calls.isEmpty());
}

TEST_F(Launcher, InstructionButtonsHandTheirDeckToThePlayer)
{
    t.program->registerForm(WindowKind::InstructionPlayer,
                            [](Program& p) { return new StandInWindow(p, WindowKind::InstructionPlayer); });
    DrawLauncher& l = openLauncher();
    l.Command1->click();
    EXPECT_FALSE(l.isVisible());
    auto* player = qobject_cast<StandInWindow*>(t.program->loadedForm(WindowKind::InstructionPlayer));
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(player->calls, QStringList{"start Note1.PPT"});

    DrawLauncher& again = openLauncher();
    again.Command2->click();
    EXPECT_EQ(player->calls, (QStringList{"start Note1.PPT", "start Note2.PPT"}));
    EXPECT_EQ(t.program->instructionShow().deck(), "Note2.PPT");
}

#include "DrawLauncherTest.moc"
