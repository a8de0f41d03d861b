// Window tracking of the main window (Timer2): the draw button and the shrink button follow the
// countdown. Edge docking, the slide-show scan and the function keys come with the tool strip.
#include "app/MainWindow.h"
#include "app/Program.h"
#include "platform/Timer.h"

#include <QComboBox>
#include <QPushButton>

void MainWindow::findTitle()
{
    Combo1->clear();
    titleCount_ = 0;
}

void MainWindow::timer2Tick()
{
    ProgramState& s = program().state();
    if (s.TimerState == 0)
        Command5->setEnabled(true);
    findTitle();
    const bool mayHide = s.TimerState == 1 && !(s.PptAppFound == 1 && s.SlideShowFound == 0);
    if (!mayHide)
        Command4->setEnabled(false);
    else if (!Timer4->isEnabled())
        Command4->setEnabled(true);
}
