// "缩小": folding the main window away behind the tool strip, when the fold rule allows it.
#include "app/MainWindow.h"
#include "app/Program.h"
#include "display/ShowDetection.h"
#include "display/ToolStrip.h"
#include "platform/Dialogs.h"

#include <QComboBox>

namespace {
const QString kCannotHide = QStringLiteral("以下三种情况不能隐藏主界面            \n\n"
                                           "    1.当前未开始计时，或\n"
                                           "    2.当前为暂停计时，或\n"
                                           "3.当前打开了PPT文件但没有播放该文件");

void clearDockedFlags(ProgramState& s)
{
    s.DockedTop = 0;
    s.DockedLeft = 0;
    s.DockedRight = 0;
}
} // namespace

void MainWindow::command4Click()
{
    ProgramState& s = program().state();

    // The titles gathered by the last tracking tick; no new walk of the windows.
    QStringList titles;
    for (int i = 0; i < titleCount_ && i < Combo1->count(); ++i)
        titles.append(Combo1->itemText(i));
    const showdetection::Found found = showdetection::scanTitles(titles);
    s.SlideShowFound = found.slideShow ? 1 : 0;
    s.PptAppFound = found.presentationApp ? 1 : 0;

    if (!showdetection::mayHide(s.TimerState, found)) {
        const bool docked = s.DockedTop != 0 || s.DockedLeft != 0 || s.DockedRight != 0;
        if (docked) {
            // A tucked window simply comes out to its standard place.
            show();
            clearDockedFlags(s);
            placeStandard();
        } else {
            placeStandard();
            program().dialogs().inform(this, kNoticeTitle, kCannotHide, MessageIcon::Information);
            clearDockedFlags(s);
            show();
            program().unload(FormId::Form2);
        }
        return;
    }

    hide();
    auto* strip = program().formAs<ToolStrip>(FormId::Form3);
    if (!strip) {
        show();
        return;
    }
    strip->placeOverMainWindow();
    strip->showStrip();
}
