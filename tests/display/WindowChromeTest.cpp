#include "ui/WindowChrome.h"

#include "support/TestProgram.h"
#include "ui/ClickableLabel.h"
#include "ui/display/EnlargedWindow.h"
#include "ui/main/MainWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A point inside the control that no child of it covers.
QPoint centreOf(QWidget* control)
{
    return control->rect().center();
}

// A point of the window's body that none of its controls covers.
QPoint bodyPoint(QWidget* window)
{
    for (int y = 1; y < window->height(); y += 3)
        for (int x = 1; x < window->width(); x += 3)
            if (!window->childAt(x, y))
                return {x, y};
    return {};
}

} // namespace

TEST(WindowChrome, DragsTheWindowByItsSurfacesWithAnyMouseButton)
{
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        TestProgram t;
        MainWindow& w = t.start();
        w.move(100, 100);
        QWidget* surface = w.Label7;
        const QPoint start = centreOf(surface);
        QTest::mousePress(surface, button, {}, start);
        EXPECT_TRUE(WindowChrome::of(&w)->isDragging()) << button;
        QTest::mouseMove(surface, start + QPoint(40, 25));
        EXPECT_EQ(w.pos(), QPoint(140, 125)) << button;
        // The window moved under the pointer: the pressed point is back under it.
        QTest::mouseMove(surface, start + QPoint(10, 5));
        EXPECT_EQ(w.pos(), QPoint(150, 130)) << button;
        QTest::mouseRelease(surface, button, {}, start + QPoint(10, 5));
        EXPECT_FALSE(WindowChrome::of(&w)->isDragging()) << button;
        QTest::mouseMove(surface, start + QPoint(60, 60));
        EXPECT_EQ(w.pos(), QPoint(150, 130)) << button;
    }
}

TEST(WindowChrome, AControlThatIsNoSurfaceDoesNotDragTheWindow)
{
    TestProgram t;
    MainWindow& w = t.start();
    w.move(100, 100);
    const QPoint start = centreOf(w.Text1);
    QTest::mousePress(w.Text1, Qt::LeftButton, {}, start);
    QTest::mouseMove(w.Text1, start + QPoint(30, 30));
    QTest::mouseRelease(w.Text1, Qt::LeftButton, {}, start + QPoint(30, 30));
    EXPECT_EQ(w.pos(), QPoint(100, 100));
    // The logo sits on a frame that only restores the height: clicking it does not drag either.
    const QPoint logo = centreOf(w.Image1);
    QTest::mousePress(w.Image1, Qt::LeftButton, {}, logo);
    QTest::mouseMove(w.Image1, logo + QPoint(30, 30));
    QTest::mouseRelease(w.Image1, Qt::LeftButton, {}, logo + QPoint(30, 30));
    EXPECT_EQ(w.pos(), QPoint(100, 100));
}

TEST(WindowChrome, HoverGivesTheFocusToEnabledButtonsOnly)
{
    TestProgram t;
    MainWindow& w = t.start();
    w.activateWindow();
    ASSERT_FALSE(w.Command2->isEnabled());
    w.Text1->setFocus();
    QTest::mouseMove(w.Command2, centreOf(w.Command2));
    EXPECT_FALSE(w.Command2->hasFocus());
    EXPECT_EQ(w.focusWidget(), w.Text1);

    QTest::mouseMove(w.Command6, centreOf(w.Command6));
    EXPECT_EQ(w.focusWidget(), w.Command6);
    QTest::mouseMove(w.Command1, centreOf(w.Command1));
    EXPECT_EQ(w.focusWidget(), w.Command1);
}

TEST(WindowChrome, PointerOverTheMainWindowRestoresItsNormalHeight)
{
    TestProgram t;
    MainWindow& w = t.start();
    w.setHeightTwips(MainWindow::kHelpHeight);
    // Over a control that only drags, the taller layout stays.
    QTest::mouseMove(w.Label7, centreOf(w.Label7));
    EXPECT_NEAR(w.heightTwips(), MainWindow::kHelpHeight, 15);

    QTest::mouseMove(w.Label1, centreOf(w.Label1));
    EXPECT_NEAR(w.heightTwips(), MainWindow::kNormalHeight, 15);

    w.setHeightTwips(MainWindow::kHelpHeight);
    QTest::mouseMove(w.Image1, centreOf(w.Image1));
    EXPECT_NEAR(w.heightTwips(), MainWindow::kNormalHeight, 15);

    w.setHeightTwips(MainWindow::kHelpHeight);
    QTest::mouseMove(w.Command3, centreOf(w.Command3)); // disabled: no focus, but the height comes back
    EXPECT_NEAR(w.heightTwips(), MainWindow::kNormalHeight, 15);
}

TEST(WindowChrome, TheEnlargedDigitsDragAndStillCloseOnDoubleClick)
{
    TestProgram t;
    MainWindow& w = t.start();
    w.Command1->click();
    w.label3DoubleClick();
    auto* e = t.program->loadedAs<EnlargedWindow>(WindowKind::EnlargedCountdown);
    ASSERT_NE(e, nullptr);
    e->move(50, 60);
    const QPoint start = centreOf(e->Label1);
    QTest::mousePress(e->Label1, Qt::LeftButton, {}, start);
    QTest::mouseMove(e->Label1, start + QPoint(-20, 15));
    QTest::mouseRelease(e->Label1, Qt::LeftButton, {}, start + QPoint(-20, 15));
    EXPECT_EQ(e->pos(), QPoint(30, 75));

    QTest::mouseDClick(e->Label1, Qt::LeftButton, {}, start);
    EXPECT_FALSE(t.program->isLoaded(WindowKind::EnlargedCountdown));
    EXPECT_EQ(t.program->enlargedNotice(), EnlargedNotice::ClosedByUser);
    EXPECT_TRUE(w.isVisible());
}

TEST(WindowChrome, UnknownNamesAreSkippedAndAttachingTwiceSharesOneChrome)
{
    TestProgram t;
    MainWindow& w = t.start();
    WindowChrome* again = WindowChrome::attach(&w, {QStringLiteral("NoSuchControl")}, {});
    EXPECT_EQ(again, WindowChrome::of(&w));
    EXPECT_EQ(w.findChildren<WindowChrome*>().size(), 1);
}

TEST(WindowChrome, TheOtherWindowsDragAndTakeFocusByTheirOwnTables)
{
    TestProgram t;
    t.start();
    struct Case {
        WindowKind id;
        const char* surface; // nullptr: the window has no drag surfaces of its own chrome
        const char* button;
    };
    for (const Case c : {Case{WindowKind::DrawLauncher, "Form2", "Command11"},
                         Case{WindowKind::ToolStrip, "Label1", "Command2"},
                         Case{WindowKind::SequenceDraw, nullptr, "Command1"},
                         Case{WindowKind::InstructionPlayer, nullptr, "Command1"}}) {
        if (!t.program->isAvailable(c.id))
            continue;
        Form* form = t.program->form(c.id);
        ASSERT_NE(form, nullptr);
        form->show();
        form->move(200, 200);
        const QString name = windowObjectName(c.id);
        ASSERT_NE(WindowChrome::of(form), nullptr) << name.toStdString();
        if (c.surface) {
            QWidget* surface = QString::fromLatin1(c.surface) == name
                                   ? form
                                   : form->findChild<QWidget*>(QString::fromLatin1(c.surface));
            ASSERT_NE(surface, nullptr) << name.toStdString();
            QPoint start = surface == form ? bodyPoint(form) : centreOf(surface);
            QTest::mousePress(surface, Qt::RightButton, {}, start);
            QTest::mouseMove(surface, start + QPoint(15, 10));
            QTest::mouseRelease(surface, Qt::RightButton, {}, start + QPoint(15, 10));
            EXPECT_EQ(form->pos(), QPoint(215, 210)) << name.toStdString();
        }
        auto* button = form->findChild<QPushButton*>(QString::fromLatin1(c.button));
        ASSERT_NE(button, nullptr) << name.toStdString();
        if (button->isEnabled() && button->isVisible()) {
            QTest::mouseMove(button, centreOf(button));
            EXPECT_EQ(form->focusWidget(), button) << name.toStdString();
        }
    }
}

TEST(WindowChrome, PassingOverTheNameListDrawsDisabledDrawButtonLeavesTheFocusAlone)
{
    TestProgram t;
    t.start();
    if (!t.program->isAvailable(WindowKind::NameListDraw))
        GTEST_SKIP() << "no name-list draw in this build";
    Form* form = t.program->form(WindowKind::NameListDraw);
    ASSERT_NE(form, nullptr);
    form->show();
    auto* draw = form->findChild<QPushButton*>(QStringLiteral("CommandQq"));
    auto* start = form->findChild<QPushButton*>(QStringLiteral("Command1"));
    ASSERT_NE(draw, nullptr);
    ASSERT_NE(start, nullptr);
    draw->setEnabled(false);
    start->setEnabled(true);
    start->show();
    QTest::mouseMove(draw, centreOf(draw));
    EXPECT_NE(form->focusWidget(), draw);
    QTest::mouseMove(start, centreOf(start));
    EXPECT_EQ(form->focusWidget(), start);
}
