#include "models/tracking/WindowTracking.h"

void WindowTracking::forgetTitles()
{
    titles_.forget();
    lastScan_ = {};
}

TrackingStep WindowTracking::step(const DesktopView& view)
{
    TrackingStep step;

    // Docking at the top, left and right screen edges.
    docking::Window window = view.window;
    docking::Flags flags = docked_;
    if (docking::pointerInside(window, view.pointer, view.twipsPerPixel)) {
        docking::undoTuck(window, flags, view.screen);
    } else {
        // Leaving the window folds the taller help layout away.
        window.height = view.normalHeight;
        docking::tuckAtEdges(window, flags, view.screen);
    }

    step.freeDrawButton = view.stopped;

    step.titlesChanged = titles_.take(view.titles);
    lastScan_ = titles_.found();

    if (!showdetection::mayHide(view.counting, lastScan_))
        step.shrinkEnabled = false;
    else if (!view.reminderRunning)
        step.shrinkEnabled = true;

    // A deck open without its show: the main window stays in view.
    step.keepMainInView = lastScan_.presentationApp && !lastScan_.slideShow;

    // Never lost off screen; the flags hold for the place the window ends at.
    docking::keepReachable(window, view.screen);
    if (window.height != view.window.height)
        step.height = window.height;
    if (window.left != view.window.left || window.top != view.window.top)
        step.moveTo = QPointF(window.left, window.top);
    docked_ = flags;

    // F9 works only while the main window is away, and it is not when it was just brought into view.
    step.toggleStrip = view.f9Down && view.mainHidden && !step.keepMainInView;

    if (view.f11Down) {
        step.bringBack = true;
        docked_ = {};
    }
    return step;
}

FoldOutcome WindowTracking::fold(bool counting)
{
    lastScan_ = titles_.found();
    if (showdetection::mayHide(counting, lastScan_))
        return FoldOutcome::Fold;
    return isDocked() ? FoldOutcome::BringOut : FoldOutcome::Refuse;
}
