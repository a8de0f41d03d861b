#include "models/tracking/WindowTracking.h"

#include "platform/WindowSystem.h"

void WindowTracking::forgetTitles()
{
    titles_.forget();
    lastScan_ = {};
}

bool WindowTracking::watchesPointer(const DesktopView& view) const
{
    if (view.mainHidden)
        return false;
    if (docked_.any() || view.window.height != view.normalHeight)
        return true;
    // Would the pointer's leaving tuck it? The docking rules themselves say.
    docking::Window window = view.window;
    docking::Flags flags = docked_;
    docking::tuckAtEdges(window, flags, view.screen);
    return flags.any() || window.left != view.window.left || window.top != view.window.top;
}

TrackingStep WindowTracking::step(const DesktopView& view)
{
    TrackingStep step;

    // Docking at the top, left and right screen edges. A hidden window is under no pointer. The
    // pointer is on the window where the teacher sees it: a window dragged by its title bar is still
    // under the pointer, wherever the toolkit last knew it to be.
    docking::Window window = view.window;
    docking::Flags flags = docked_;
    const docking::Window& seen = view.windowSeen ? *view.windowSeen : view.window;
    if (!view.mainHidden && view.pointer && docking::pointerInside(seen, *view.pointer, view.twipsPerPixel)) {
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
    const int f9Presses = keys_.take(Keys::F9);
    if (view.mainHidden && !step.keepMainInView)
        step.stripToggles = f9Presses;

    if (keys_.take(Keys::F11) > 0) {
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
