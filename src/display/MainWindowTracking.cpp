// Window tracking of the main window (Timer2, every 100 ms): edge docking, the slide-show scan that
// decides whether "缩小" may fold the window away, keeping the window on screen, and the function
// keys F9 (tool strip) and F11 (main window back).
#include "app/MainWindow.h"
#include "app/Program.h"
#include "display/EdgeDocking.h"
#include "display/ShowDetection.h"
#include "display/ToolStrip.h"
#include "platform/Timer.h"
#include "platform/WindowSystem.h"

#include <QComboBox>
#include <QPushButton>

namespace {
// The titles seldom change from one tick to the next: the last scan is remembered. Unchanged lists
// share their data, so the comparison costs next to nothing.
showdetection::Found scanRemembered(const QStringList& titles)
{
    static QStringList lastTitles;
    static showdetection::Found lastFound;
    static bool remembered = false;
    if (!remembered || titles != lastTitles) {
        lastFound = showdetection::scanTitles(titles);
        lastTitles = titles;
        remembered = true;
    }
    return lastFound;
}
} // namespace

void MainWindow::findTitle()
{
    QStringList titles = program().windows().topLevelTitles();
    // The list rarely changes between two ticks; Combo1 is rebuilt only when it did.
    if (titles == deliveredTitles_ && Combo1->count() == titleCount_ && titleCount_ == scannedTitles_.size())
        return;
    scannedTitles_.clear();
    for (const QString& title : titles) {
        if (!title.isEmpty())
            scannedTitles_.append(title);
    }
    deliveredTitles_ = std::move(titles);
    Combo1->clear();
    Combo1->addItems(scannedTitles_);
    titleCount_ = int(scannedTitles_.size());
}

void MainWindow::timer2Tick()
{
    ProgramState& s = program().state();
    WindowSystem& ws = program().windows();
    const QSizeF screen = ws.screenSizeTwips();

    // 1-3. Docking at the top, left and right screen edges.
    docking::Window window{leftTwips(), topTwips(), widthTwips(), heightTwips()};
    const docking::Window before = window;
    docking::Flags flags{s.DockedTop, s.DockedLeft, s.DockedRight};
    if (docking::pointerInside(window, ws.pointerTwips(), ws.twipsPerPixel())) {
        docking::undoTuck(window, flags, screen);
    } else {
        // Leaving the window folds the taller help layout away.
        window.height = kNormalHeight;
        docking::tuckAtEdges(window, flags, screen);
    }

    // 4. The draw button is free again once the countdown stopped.
    if (s.TimerState == 0)
        Command5->setEnabled(true);

    // 5-6. Which presentation windows are open.
    findTitle();
    const showdetection::Found found = scanRemembered(scannedTitles_);
    s.SlideShowFound = found.slideShow ? 1 : 0;
    s.PptAppFound = found.presentationApp ? 1 : 0;

    // 7. "缩小" follows the fold rule; the reminder effect owns it while it runs.
    if (!showdetection::mayHide(s.TimerState, found))
        Command4->setEnabled(false);
    else if (!Timer4->isEnabled())
        Command4->setEnabled(true);

    // 8. A deck open without its show: the main window stays in view.
    if (found.presentationApp && !found.slideShow) {
        show();
        program().unload(FormId::Form2);
    }

    // 9. Never lost off screen.
    docking::keepReachable(window, screen);
    if (window.height != before.height)
        setHeightTwips(window.height);
    if (window.left != before.left || window.top != before.top)
        moveTwips(window.left, window.top);
    s.DockedTop = flags.top;
    s.DockedLeft = flags.left;
    s.DockedRight = flags.right;

    // 10. F9 toggles the tool strip while the main window is away.
    if (ws.isKeyDown(Keys::F9) && isHidden()) {
        if (auto* strip = program().formAs<ToolStrip>(FormId::Form3)) {
            if (strip->isVisible()) {
                strip->hide();
                strip->Timer1->setEnabled(false);
            } else {
                strip->showStrip();
            }
        }
    }

    // 11. F11 brings the main window back to its standard place, whatever was shown.
    if (ws.isKeyDown(Keys::F11)) {
        show();
        if (Form* strip = program().loadedForm(FormId::Form3))
            strip->hide();
        program().unload(FormId::Form2);
        placeStandard();
        // Over a focused full-screen show, showing alone would leave the window underneath.
        raise();
        activateWindow();
        s.DockedTop = 0;
        s.DockedLeft = 0;
        s.DockedRight = 0;
    }
}
