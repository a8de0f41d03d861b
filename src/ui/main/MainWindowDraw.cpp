// "抽签": from the main window to the draw launcher.
#include "platform/Timer.h"
#include "ui/Program.h"
#include "ui/draw/DrawLauncher.h"
#include "ui/main/MainWindow.h"

void MainWindow::command5Click()
{
    // The launcher always starts afresh, in its mode view at full size.
    program().unload(WindowKind::DrawLauncher);
    // A sequence-number draw left hidden behind an earlier launcher would roll on unseen.
    program().unload(WindowKind::SequenceDraw);
    auto* launcher = program().formAs<DrawLauncher>(WindowKind::DrawLauncher);
    if (!launcher)
        return;
    Timer2->setEnabled(false);
    hide();
    launcher->show();
    launcher->showModeSelection();
}
