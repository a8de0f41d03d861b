// Double-click on the count display: the enlarged countdown.
#include "app/MainWindow.h"
#include "app/Program.h"
#include "platform/Dialogs.h"
#include "platform/Timer.h"

void MainWindow::label3DoubleClick()
{
    ProgramState& s = program().state();
    if (!program().isAvailable(FormId::Form6)) {
        program().dialogs().inform(this, kNoticeTitle, QStringLiteral("此版本不提供放大计时窗口。"));
        return;
    }
    hide();
    s.EnlargeSignal = 11;
    Form* enlarged = program().form(FormId::Form6);
    if (!enlarged) {
        show();
        return;
    }
    enlarged->show();
    if (auto* timer = enlarged->findChild<Timer*>(QStringLiteral("Timer1")))
        timer->setEnabled(true);
}
