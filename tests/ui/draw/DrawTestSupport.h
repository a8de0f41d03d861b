#pragma once

#include "platform/Timer.h"
#include "support/FindControl.h"
#include "support/MainWindowControls.h"
#include "support/TestProgram.h"
#include "ui/WindowKind.h"
#include "ui/draw/DrawLauncher.h"
#include "ui/draw/SequenceDraw.h"
#include "ui/main/MainWindow.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <initializer_list>

// The launcher's controls, by role.
struct LauncherControls {
    explicit LauncherControls(QWidget* l)
        : body(control<QFrame>(l, "Frame1")), modeView(control<QFrame>(l, "Frame3")),
          entryGroup(control<QFrame>(l, "Frame4")), hint(control<QLabel>(l, "Label5")),
          countPrompt(control<QLabel>(l, "Label6")), question(control<QLabel>(l, "Label7")),
          countBox(control<QLineEdit>(l, "Text2")), sequenceDraw(control<QPushButton>(l, "Command11")),
          nameListDraw(control<QPushButton>(l, "Command10")), slideDraw(control<QPushButton>(l, "Command12")),
          deckOne(control<QPushButton>(l, "Command1")), deckTwo(control<QPushButton>(l, "Command2")),
          confirm(control<QPushButton>(l, "Command5")), cancel(control<QPushButton>(l, "Command6")),
          endDraw(control<QPushButton>(l, "Command8")), continueDraw(control<QPushButton>(l, "Command9"))
    {
    }
    QFrame *body, *modeView, *entryGroup;
    QLabel *hint, *countPrompt, *question;
    QLineEdit* countBox;
    QPushButton *sequenceDraw, *nameListDraw, *slideDraw, *deckOne, *deckTwo;
    QPushButton *confirm, *cancel, *endDraw, *continueDraw;
};

// The sequence-number draw's controls, by role.
struct SequenceControls {
    explicit SequenceControls(QWidget* d)
        : display(control<QFrame>(d, "Frame1")), number(control<QLabel>(d, "Label1")),
          prompt(control<QLabel>(d, "Label2")), roundOver(control<QLabel>(d, "Label3")),
          heading(control<QLabel>(d, "Label4")), drawnList(control<QTextEdit>(d, "Text1")),
          drawButton(control<QPushButton>(d, "Command1")), nextButton(control<QPushButton>(d, "Command2")),
          nextRoundButton(control<QPushButton>(d, "Command4")),
          endButton(control<QPushButton>(d, "Command7")), rollTimer(control<Timer>(d, "Timer1"))
    {
    }
    QFrame* display;
    QLabel *number, *prompt, *roundOver, *heading;
    QTextEdit* drawnList;
    QPushButton *drawButton, *nextButton, *nextRoundButton, *endButton;
    Timer* rollTimer;
};

// The main window with the launcher and the sequence-number draw, on virtual time.
class DrawFixture {
public:
    DrawFixture() { main = &t.start(); }

    DrawLauncher* launcher() { return t.program->loaded<DrawLauncher>(); }
    SequenceDraw* draw() { return t.program->loaded<SequenceDraw>(); }
    MainWindowControls mainControls() { return MainWindowControls(*main); }

    // The main window's "抽签".
    DrawLauncher& openLauncher()
    {
        mainControls().drawButton()->click();
        return *launcher();
    }

    // From the main window to a running sequence-number draw of the given count text.
    SequenceDraw& openDraw(const QString& countText)
    {
        LauncherControls l(&openLauncher());
        l.sequenceDraw->click();
        l.countBox->setText(countText);
        l.confirm->click();
        return *draw();
    }

    // Only these windows exist in the program: the others are "not in this version".
    void keepOnlyDrawWindows()
    {
        t.program.reset();
        TestProgram::settle();
        t.program =
            std::make_unique<Program>(Services{t.timers, t.dialogs, t.windows, t.sounds, [] { return true; },
                                               t.dataDir.path(), QStringList{t.dataDir.path()}});
        t.program->registerWindow(WindowKind::Main, [](Program& p) { return new MainWindow(p); });
        t.program->registerWindow(WindowKind::DrawLauncher, [](Program& p) { return new DrawLauncher(p); });
        t.program->registerWindow(WindowKind::SequenceDraw, [](Program& p) { return new SequenceDraw(p); });
        main = &t.start();
    }

    TestProgram t;
    MainWindow* main = nullptr;
};
