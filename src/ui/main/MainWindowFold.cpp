// "缩小": folding the main window away behind the tool strip, when the fold rule allows it.
#include "models/tracking/ShowDetection.h"
#include "platform/Dialogs.h"
#include "ui/Program.h"
#include "ui/display/ToolStrip.h"
#include "ui/main/MainWindow.h"

#include <QComboBox>

namespace {
const QString kCannotHide = QStringLiteral("以下三种情况不能隐藏主界面            \n\n"
                                           "    1.当前未开始计时，或\n"
                                           "    2.当前为暂停计时，或\n"
                                           "3.当前打开了PPT文件但没有播放该文件");

} // namespace

void MainWindow::command4Click()
{
    WindowTracking& tracking = program().tracking();

    // The titles gathered by the last tracking tick; no new walk of the windows.
    QStringList titles;
    for (int i = 0; i < titleCount_ && i < Combo1->count(); ++i)
        titles.append(Combo1->itemText(i));
    const showdetection::Found found = showdetection::scanTitles(titles);
    tracking.setLastScan(found);

    if (!showdetection::mayHide(program().countdown().isCounting(), found)) {
        const bool docked = tracking.isDocked();
        if (docked) {
            // A tucked window simply comes out to its standard place.
            show();
            tracking.clearDocked();
            placeStandard();
        } else {
            placeStandard();
            program().dialogs().inform(this, kNoticeTitle, kCannotHide, MessageIcon::Information);
            tracking.clearDocked();
            show();
            program().unload(WindowKind::DrawLauncher);
        }
        return;
    }

    hide();
    auto* strip = program().formAs<ToolStrip>(WindowKind::ToolStrip);
    if (!strip) {
        show();
        return;
    }
    strip->placeOverMainWindow();
    strip->showStrip();
}
