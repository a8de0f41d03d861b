#include "ui/draw/InstructionShowBinding.h"

#include "models/draw/InstructionShow.h"
#include "platform/WindowSystem.h"
#include "ui/Program.h"
#include "ui/main/MainWindow.h"

void bindInstructionShow(Program& program)
{
    InstructionShow& show = program.instructionShow();
    QObject::connect(&show, &InstructionShow::started, &show, [&program] {
        if (auto* main = program.loaded<MainWindow>()) {
            main->show();
            main->setHeightTwips(MainWindow::kHelpHeight);
        }
        program.resumeTracking();
    });
    QObject::connect(&show, &InstructionShow::closed, &show, [&program] {
        // A full-screen show may have hidden the taskbar.
        program.windows().showTaskbar();
        program.resumeTracking();
        if (auto* main = program.loaded<MainWindow>())
            main->show();
    });
}
