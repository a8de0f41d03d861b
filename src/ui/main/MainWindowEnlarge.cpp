// Double-click on the count display: the enlarged countdown.
#include "platform/Dialogs.h"
#include "platform/Timer.h"
#include "ui/Program.h"
#include "ui/main/MainWindow.h"

void MainWindow::label3DoubleClick()
{
    if (!program().isAvailable(WindowKind::EnlargedCountdown)) {
        program().dialogs().inform(this, kNoticeTitle, QStringLiteral("此版本不提供放大计时窗口。"));
        return;
    }
    hide();
    program().enlargedNotice() = EnlargedNotice::None;
    Form* enlarged = program().form(WindowKind::EnlargedCountdown);
    if (!enlarged) {
        show();
        return;
    }
    enlarged->show();
    if (auto* timer = enlarged->findChild<Timer*>(QStringLiteral("Timer1")))
        timer->setEnabled(true);
}
