#pragma once

#include "support/TestProgram.h"
#include "ui/WindowKind.h"
#include "ui/draw/DrawLauncher.h"
#include "ui/draw/SequenceDraw.h"
#include "ui/main/MainWindow.h"

#include <QLineEdit>
#include <QPushButton>
#include <initializer_list>

// The main window with the launcher and the sequence-number draw, on virtual time.
class DrawFixture {
public:
    DrawFixture() { main = &t.start(); }

    DrawLauncher* launcher() { return t.program->loadedAs<DrawLauncher>(WindowKind::DrawLauncher); }
    SequenceDraw* draw() { return t.program->loadedAs<SequenceDraw>(WindowKind::SequenceDraw); }

    // The main window's "抽签".
    DrawLauncher& openLauncher()
    {
        main->Command5->click();
        return *launcher();
    }

    // From the main window to a running sequence-number draw of the given count text.
    SequenceDraw& openDraw(const QString& countText)
    {
        DrawLauncher& l = openLauncher();
        l.Command11->click();
        l.Text2->setText(countText);
        l.Command5->click();
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
        t.program->registerForm(WindowKind::Main, [](Program& p) { return new MainWindow(p); });
        t.program->registerForm(WindowKind::DrawLauncher, [](Program& p) { return new DrawLauncher(p); });
        t.program->registerForm(WindowKind::SequenceDraw, [](Program& p) { return new SequenceDraw(p); });
        main = &t.start();
    }

    TestProgram t;
    MainWindow* main = nullptr;
};
