// "抽签": from the main window to the draw launcher.
#include "app/MainWindow.h"
#include "app/Program.h"
#include "draw/DrawLauncher.h"
#include "platform/Timer.h"

void MainWindow::command5Click()
{
    // The launcher always starts afresh, in its mode view at full size.
    program().unload(FormId::Form2);
    // A sequence-number draw left hidden behind an earlier launcher would roll on unseen.
    program().unload(FormId::Form7);
    auto* launcher = program().formAs<DrawLauncher>(FormId::Form2);
    if (!launcher)
        return;
    Timer2->setEnabled(false);
    hide();
    launcher->show();
    launcher->showModeSelection();
}
