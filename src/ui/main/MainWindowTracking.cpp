// Window tracking of the main window (Timer2, every 100 ms): edge docking, the slide-show scan that
// decides whether "缩小" may fold the window away, keeping the window on screen, and the function
// keys F9 (tool strip) and F11 (main window back).
#include "models/tracking/EdgeDocking.h"
#include "models/tracking/ShowDetection.h"
#include "platform/Timer.h"
#include "platform/WindowSystem.h"
#include "ui/Program.h"
#include "ui/display/ToolStrip.h"
#include "ui/main/MainWindow.h"

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

void MainWindow::resumeTracking()
{
    Timer2->setEnabled(true);
}

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
    WindowTracking& tracking = program().tracking();
    WindowSystem& ws = program().windows();
    const QSizeF screen = ws.screenSizeTwips();

    // 1-3. Docking at the top, left and right screen edges.
    docking::Window window{leftTwips(), topTwips(), widthTwips(), heightTwips()};
    const docking::Window before = window;
    docking::Flags flags = tracking.docked();
    if (docking::pointerInside(window, ws.pointerTwips(), ws.twipsPerPixel())) {
        docking::undoTuck(window, flags, screen);
    } else {
        // Leaving the window folds the taller help layout away.
        window.height = kNormalHeight;
        docking::tuckAtEdges(window, flags, screen);
    }

    // 4. The draw button is free again once the countdown stopped.
    if (program().countdown().isStopped())
        Command5->setEnabled(true);

    // 5-6. Which presentation windows are open.
    findTitle();
    const showdetection::Found found = scanRemembered(scannedTitles_);
    tracking.setLastScan(found);

    // 7. "缩小" follows the fold rule; the reminder effect owns it while it runs.
    if (!showdetection::mayHide(program().countdown().isCounting(), found))
        Command4->setEnabled(false);
    else if (!Timer4->isEnabled())
        Command4->setEnabled(true);

    // 8. A deck open without its show: the main window stays in view.
    if (found.presentationApp && !found.slideShow) {
        show();
        program().unload(WindowKind::DrawLauncher);
    }

    // 9. Never lost off screen.
    docking::keepReachable(window, screen);
    if (window.height != before.height)
        setHeightTwips(window.height);
    if (window.left != before.left || window.top != before.top)
        moveTwips(window.left, window.top);
    tracking.setDocked(flags);

    // 10. F9 toggles the tool strip while the main window is away.
    if (ws.isKeyDown(Keys::F9) && isHidden()) {
        if (auto* strip = program().formAs<ToolStrip>(WindowKind::ToolStrip)) {
            if (strip->isVisible()) {
                strip->hideStrip();
            } else {
                strip->showStrip();
            }
        }
    }

    // 11. F11 brings the main window back to its standard place, whatever was shown.
    if (ws.isKeyDown(Keys::F11)) {
        show();
        if (Form* strip = program().loadedForm(WindowKind::ToolStrip))
            strip->hide();
        program().unload(WindowKind::DrawLauncher);
        placeStandard();
        // Over a focused full-screen show, showing alone would leave the window underneath.
        raise();
        activateWindow();
        tracking.clearDocked();
    }
}
