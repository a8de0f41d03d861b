#include "ui/WindowChrome.h"

#include "support/FindControl.h"
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

// Moves the pointer over the middle of the control.
void pointAt(QWidget* widget)
{
    QTest::mouseMove(widget, centreOf(widget));
}

// A control of the window by its design name.
QWidget* part(QWidget* window, const char* name)
{
    return control<QWidget>(window, name);
}

} // namespace

TEST(WindowChrome, DragsTheWindowByItsSurfacesWithAnyMouseButton)
{
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        TestProgram t;
        MainWindow& w = t.start();
        w.move(100, 100);
        QWidget* surface = part(&w, "Label7");
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
    QWidget* entry = part(&w, "Text1");
    const QPoint start = centreOf(entry);
    QTest::mousePress(entry, Qt::LeftButton, {}, start);
    QTest::mouseMove(entry, start + QPoint(30, 30));
    QTest::mouseRelease(entry, Qt::LeftButton, {}, start + QPoint(30, 30));
    EXPECT_EQ(w.pos(), QPoint(100, 100));
    // The logo sits on a frame that only restores the height: clicking it does not drag either.
    QWidget* logo = part(&w, "Image1");
    const QPoint logoCentre = centreOf(logo);
    QTest::mousePress(logo, Qt::LeftButton, {}, logoCentre);
    QTest::mouseMove(logo, logoCentre + QPoint(30, 30));
    QTest::mouseRelease(logo, Qt::LeftButton, {}, logoCentre + QPoint(30, 30));
    EXPECT_EQ(w.pos(), QPoint(100, 100));
}

TEST(WindowChrome, HoverGivesTheFocusToEnabledButtonsOnly)
{
    TestProgram t;
    MainWindow& w = t.start();
    w.activateWindow();
    QWidget* pause = part(&w, "Command2");
    QWidget* entry = part(&w, "Text1");
    ASSERT_FALSE(pause->isEnabled());
    entry->setFocus();
    QTest::mouseMove(pause, centreOf(pause));
    EXPECT_FALSE(pause->hasFocus());
    EXPECT_EQ(w.focusWidget(), entry);

    for (const char* enabled : {"Command6", "Command1"}) {
        QWidget* button = part(&w, enabled);
        QTest::mouseMove(button, centreOf(button));
        EXPECT_EQ(w.focusWidget(), button) << enabled;
    }
}

TEST(WindowChrome, PointerOverTheMainWindowRestoresItsNormalHeight)
{
    TestProgram t;
    MainWindow& w = t.start();
    w.setHeightTwips(MainWindow::kHelpHeight);
    // Over a control that only drags, the taller layout stays.
    pointAt(part(&w, "Label7"));
    EXPECT_NEAR(w.heightTwips(), MainWindow::kHelpHeight, 15);

    pointAt(part(&w, "Label1"));
    EXPECT_NEAR(w.heightTwips(), MainWindow::kNormalHeight, 15);

    w.setHeightTwips(MainWindow::kHelpHeight);
    pointAt(part(&w, "Image1"));
    EXPECT_NEAR(w.heightTwips(), MainWindow::kNormalHeight, 15);

    w.setHeightTwips(MainWindow::kHelpHeight);
    pointAt(part(&w, "Command3")); // disabled: no focus, but the height comes back
    EXPECT_NEAR(w.heightTwips(), MainWindow::kNormalHeight, 15);
}

TEST(WindowChrome, TheEnlargedDigitsDragAndStillCloseOnDoubleClick)
{
    TestProgram t;
    MainWindow& w = t.start();
    control<QPushButton>(&w, "Command1")->click();
    QTest::mouseDClick(part(&w, "Label3"), Qt::LeftButton);
    auto* e = t.program->loaded<EnlargedWindow>();
    ASSERT_NE(e, nullptr);
    e->move(50, 60);
    QWidget* digits = part(e, "Label1");
    const QPoint start = centreOf(digits);
    QTest::mousePress(digits, Qt::LeftButton, {}, start);
    QTest::mouseMove(digits, start + QPoint(-20, 15));
    QTest::mouseRelease(digits, Qt::LeftButton, {}, start + QPoint(-20, 15));
    EXPECT_EQ(e->pos(), QPoint(30, 75));

    QTest::mouseDClick(digits, Qt::LeftButton, {}, start);
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
                         Case{WindowKind::SequenceDraw, nullptr, "Command1"}}) {
        if (!t.program->isAvailable(c.id))
            continue;
        ProgramWindow* form = t.program->window(c.id);
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
    ProgramWindow* form = t.program->window(WindowKind::NameListDraw);
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
