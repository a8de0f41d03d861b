#include "DrawTestSupport.h"
#include "platform/dialogs/DesktopFolder.h"
#include "platform/Timer.h"
#include "ui/DataFolderLink.h"
#include "ui/DigitsValidator.h"

#include <QDir>
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
        const LauncherControls l_(&l);
        l_.countBox->clear();
        QTest::keyClicks(l_.countBox, QString::fromLatin1(keys));
    }
};

// Windows that stand in for the ones other parts of the program provide.
class StandInWindow : public ProgramWindow {
    Q_OBJECT
public:
    StandInWindow(Program& p, WindowKind id) : ProgramWindow(p, id)
    {
        resize(300, 200);
        quit = new QPushButton(QStringLiteral("退出"), this);
        quit->setObjectName(QStringLiteral("CommandQuit"));
        quit->setEnabled(false);
    }
    QPushButton* quit;
};

} // namespace

TEST_F(Launcher, MainButtonHidesTheMainWindowAndOpensTheModeView)
{
    t.program->enlargedNotice() = EnlargedNotice::None;
    DrawLauncher& l = openLauncher();
    const LauncherControls l_(&l);

    EXPECT_FALSE(main->isVisible());
    EXPECT_FALSE(mainControls().trackingTimer()->isEnabled());
    EXPECT_TRUE(l.isVisible());
    EXPECT_TRUE(l_.modeView->isVisible());
    EXPECT_TRUE(l_.sequenceDraw->isVisible() && l_.nameListDraw->isVisible() && l_.slideDraw->isVisible());
    EXPECT_TRUE(l_.deckOne->isVisible() && l_.deckTwo->isVisible());
    EXPECT_FALSE(l_.question->isVisible());
    EXPECT_DOUBLE_EQ(clientHeightTwips(&l), DrawLauncher::kDesignClientHeight);
    EXPECT_NEAR(l.topTwips(), main->topTwips(), 15);
    // Centred at load, before the frame of the window exists: half a frame's width of leeway.
    EXPECT_NEAR(l.leftTwips(), (t.windows.screenSizeTwips().width() - l.widthTwips()) / 2, 45);
    EXPECT_TRUE(t.windows.topMost.contains("Form2"));
    EXPECT_EQ(t.program->enlargedNotice(), EnlargedNotice::None);
    EXPECT_EQ(l_.question->text(), "\n本轮抽签还没有结束\n\n您确实要退出抽签程序吗？");
    EXPECT_EQ(l_.countBox->text(), "5");
    EXPECT_EQ(l_.countBox->maxLength(), 3);
    EXPECT_NE(l_.countBox->validator(), nullptr);
    // The question's buttons never cover its text.
    const QRect text = l_.question->fontMetrics().boundingRect(
        l_.question->contentsRect(), int(l_.question->alignment()), l_.question->text());
    EXPECT_GE(l_.endDraw->y(), l_.question->y() + text.bottom());
    EXPECT_LE(l_.endDraw->y() + l_.endDraw->height(), twips::toPixels(DrawLauncher::kEntryFrameHeight, 15));
}

TEST_F(Launcher, CountEntryViewAndAFreshModeViewOnEveryOpening)
{
    DrawLauncher& l = openLauncher();
    const LauncherControls l_(&l);
    l_.sequenceDraw->click();
    EXPECT_FALSE(l_.modeView->isVisible());
    for (QWidget* shown : std::initializer_list<QWidget*>{l_.entryGroup, l_.countPrompt, l_.cancel, l_.hint,
                                                          l_.countBox, l_.confirm})
        EXPECT_TRUE(shown->isVisible()) << shown->objectName().toStdString();
    for (QWidget* hidden : std::initializer_list<QWidget*>{l_.question, l_.endDraw, l_.continueDraw})
        EXPECT_FALSE(hidden->isVisible()) << hidden->objectName().toStdString();
    EXPECT_DOUBLE_EQ(heightTwips(l_.body), DrawLauncher::kEntryFrameHeight);
    EXPECT_NEAR(l.heightTwips(), DrawLauncher::kEntryWindowHeight, 15);
    EXPECT_TRUE(l_.countBox->hasSelectedText());

    // "取消" goes home; the next "抽签" starts over in the mode view at full size.
    l_.cancel->click();
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(mainControls().trackingTimer()->isEnabled());
    EXPECT_EQ(launcher(), nullptr);
    TestProgram::settle();

    DrawLauncher& again = openLauncher();
    const LauncherControls again_(&again);
    EXPECT_TRUE(again_.modeView->isVisible());
    EXPECT_DOUBLE_EQ(clientHeightTwips(&again), DrawLauncher::kDesignClientHeight);
    EXPECT_EQ(again_.countBox->text(), "5");
}

TEST_F(Launcher, TypedCountsAreFilteredAndClamped)
{
    struct Case {
        const char* keys;
        const char* shown;
        float count;
    };
    // The box's filter and length; what the count becomes is the participant-count rule's.
    const Case cases[] = {
        {"", "", 2},
        {"999", "999", 200},
        {"1234", "123", 123},
        {"x37", "37", 37},
    };
    for (const Case& c : cases) {
        DrawLauncher& l = openLauncher();
        const LauncherControls l_(&l);
        l_.sequenceDraw->click();
        typeCount(l, c.keys);
        EXPECT_EQ(l_.countBox->text(), c.shown) << c.keys;
        EXPECT_FLOAT_EQ(l.enteredCount(), c.count) << c.keys;
        EXPECT_EQ(l.beepsSounded(), 0) << "typing is filtered without a sound: " << c.keys;
        l_.confirm->click();
        ASSERT_NE(draw(), nullptr);
        EXPECT_FLOAT_EQ(draw()->participantCount(), c.count) << c.keys;
        EXPECT_FALSE(l.isVisible());
        SequenceControls(draw()).endButton->click();
        TestProgram::settle();
    }
}

TEST_F(Launcher, NonDigitsThatGetPastTheStyleAreRemovedWithTwoBeepsEach)
{
    DrawLauncher& l = openLauncher();
    const LauncherControls l_(&l);
    l_.sequenceDraw->click();

    // The digits-only style refuses a paste with a letter in it, whole.
    l_.countBox->clear();
    l_.countBox->insert(QStringLiteral("1a"));
    EXPECT_EQ(l_.countBox->text(), "");
    EXPECT_EQ(l.beepsSounded(), 0);

    // Without the style, the change handler removes what got in.
    setDigitsOnly(l_.countBox, false);
    EXPECT_EQ(l_.countBox->validator(), nullptr);
    l_.hint->hide();
    l_.countBox->insert(QStringLiteral("1a"));
    EXPECT_EQ(l_.countBox->text(), "1");
    EXPECT_EQ(l.beepsSounded(), 2);
    EXPECT_TRUE(l_.hint->isVisible());
    EXPECT_FLOAT_EQ(l.enteredCount(), 2);

    // A letter in front goes itself, not the digit before the caret.
    l_.countBox->clear();
    l_.countBox->insert(QStringLiteral("a12"));
    EXPECT_EQ(l_.countBox->text(), "12");
    EXPECT_EQ(l.beepsSounded(), 4);
    EXPECT_FLOAT_EQ(l.enteredCount(), 12);

    // One letter is both ends of the text: two beeps for each.
    l_.countBox->clear();
    l_.countBox->insert(QStringLiteral("a"));
    EXPECT_EQ(l_.countBox->text(), "");
    EXPECT_EQ(l.beepsSounded(), 8);
    EXPECT_FLOAT_EQ(l.enteredCount(), 2);

    // Digits at both ends pass; the count is the number the text starts with.
    l_.countBox->setText(QStringLiteral("1b9"));
    EXPECT_EQ(l.beepsSounded(), 8);
    EXPECT_FLOAT_EQ(l.enteredCount(), 2);
    l_.countBox->setText(QStringLiteral("2.5"));
    EXPECT_FLOAT_EQ(l.enteredCount(), 2.5f);
}

TEST_F(Launcher, CloseBoxLeadsHomeFromTheModeView)
{
    DrawLauncher& l = openLauncher();
    const LauncherControls l_(&l);
    l.close();
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(mainControls().trackingTimer()->isEnabled());
    EXPECT_EQ(launcher(), nullptr);
}

TEST_F(Launcher, FeaturesNotInThisBuildSaySoAndLeaveTheModeViewOpen)
{
    keepOnlyDrawWindows();
    DrawLauncher& l = openLauncher();
    const LauncherControls l_(&l);
    int boxes = 0;
    for (QPushButton* button : {l_.nameListDraw, l_.slideDraw, l_.deckOne, l_.deckTwo}) {
        button->click();
        ASSERT_EQ(t.dialogs.shown.size(), ++boxes);
        EXPECT_EQ(t.dialogs.shown.last().title, "Vantrel工具提示：");
        EXPECT_TRUE(t.dialogs.shown.last().text.contains(button->text())) << button->text().toStdString();
        EXPECT_TRUE(l.isVisible());
        EXPECT_TRUE(l_.modeView->isVisible());
        EXPECT_FALSE(main->isVisible());
    }
    EXPECT_EQ(t.program->instructionShow().deck(), "MYPPT.PPT");
    // The sequence-number draw is still there to choose.
    l_.sequenceDraw->click();
    l_.confirm->click();
    EXPECT_NE(draw(), nullptr);
}

TEST_F(Launcher, NameListDrawOpensCentredUnderTheMainWindowsTopWithItsQuitEnabled)
{
    t.program->registerWindow(WindowKind::NameListDraw,
                              [](Program& p) { return new StandInWindow(p, WindowKind::NameListDraw); });
    DrawLauncher& l = openLauncher();
    const LauncherControls l_(&l);
    l_.nameListDraw->click();
    auto* names = qobject_cast<StandInWindow*>(t.program->loadedWindow(WindowKind::NameListDraw));
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
    t.program->registerWindow(WindowKind::SlideDraw,
                              [](Program& p) { return new StandInWindow(p, WindowKind::SlideDraw); });
    t.presentations.decks[QStringLiteral("Note1.PPT")] = 6;
    InstructionShow& show = t.program->instructionShow();
    QStringList closes;
    QObject::connect(&show, &InstructionShow::closed, [&] {
        closes << (t.program->isLoaded(WindowKind::SlideDraw) ? "after the slides" : "before the slides");
    });
    LauncherControls(&openLauncher()).deckOne->click();
    ASSERT_TRUE(show.isOpen());

    DrawLauncher& l = openLauncher();
    LauncherControls(&l).slideDraw->click();
    EXPECT_EQ(closes, QStringList{"before the slides"});
    EXPECT_FALSE(show.isOpen());
    EXPECT_EQ(t.presentations.alive, 0);
    ProgramWindow* slides = t.program->loadedWindow(WindowKind::SlideDraw);
    ASSERT_NE(slides, nullptr);
    EXPECT_TRUE(slides->isVisible());
    EXPECT_FALSE(l.isVisible());
    EXPECT_FALSE(main->isVisible());

    // Without a show running nothing is closed.
    t.program->unload(WindowKind::SlideDraw);
    LauncherControls(&openLauncher()).slideDraw->click();
    EXPECT_EQ(closes.size(), 1);
}

TEST_F(Launcher, InstructionButtonsPlayTheirOwnDeck)
{
    t.presentations.decks[QStringLiteral("Note1.PPT")] = 6;
    t.presentations.decks[QStringLiteral("Note2.PPT")] = 5;
    DrawLauncher& l = openLauncher();
    LauncherControls(&l).deckOne->click();
    // The deck opens from the event loop.
    TestProgram::settle();
    EXPECT_FALSE(l.isVisible());
    EXPECT_EQ(t.program->instructionShow().deck(), "Note1.PPT");
    EXPECT_EQ(t.presentations.log.last(), "run Note1.PPT");

    LauncherControls(&openLauncher()).deckTwo->click();
    TestProgram::settle();
    EXPECT_EQ(t.program->instructionShow().deck(), "Note2.PPT");
    EXPECT_EQ(t.presentations.log.last(), "run Note2.PPT");
    EXPECT_TRUE(t.dialogs.shown.isEmpty());
}

#include "DrawLauncherTest.moc"

// "打开程序文件夹" under the launcher's choices: the data folder goes to the desktop's file manager,
// and the teacher is told where it is when the desktop cannot show it.
TEST_F(Launcher, TheFolderLinkShowsTheDataFolderOrSaysWhyNot)
{
    QStringList asked;
    bool desktopTakesIt = true;
    desktopfolder::setShowForTesting([&](const QString& folder) {
        asked << folder;
        return desktopTakesIt;
    });
    DrawLauncher& l = openLauncher();
    auto* link = control<DataFolderLink>(&l, "DataFolderLink");
    EXPECT_TRUE(link->isVisible());
    EXPECT_EQ(link->text(), "打开程序文件夹");
    // It stays inside the mode view, clear of the deck buttons above it.
    const LauncherControls l_(&l);
    EXPECT_TRUE(l_.modeView->rect().contains(link->geometry()));
    EXPECT_GE(link->y(), control<QFrame>(&l, "Frame2")->geometry().bottom());

    QTest::mouseClick(link, Qt::LeftButton);
    EXPECT_EQ(asked, QStringList{t.program->dataFolder()});
    EXPECT_TRUE(t.dialogs.shown.isEmpty());

    desktopTakesIt = false;
    QTest::mouseClick(link, Qt::LeftButton);
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_TRUE(t.dialogs.shown[0].text.contains(QDir::toNativeSeparators(t.program->dataFolder())));

    // A data folder that is not there is not handed to the file manager.
    asked.clear();
    ASSERT_TRUE(QDir(t.program->dataFolder()).removeRecursively());
    QTest::mouseClick(link, Qt::LeftButton);
    EXPECT_TRUE(asked.isEmpty());
    ASSERT_EQ(t.dialogs.shown.size(), 2);
    EXPECT_TRUE(t.dialogs.shown[1].text.contains(QStringLiteral("不存在")));
    desktopfolder::setShowForTesting({});
}
