#pragma once

#include "models/tracking/EdgeDocking.h"
#include "models/tracking/KeyPresses.h"
#include "models/tracking/ShowDetection.h"
#include "models/tracking/TitleScan.h"
#include "models/tracking/TrackingStep.h"
#include "platform/CatalogueText.h"

#include <QString>

// What 缩小 comes to.
enum class FoldOutcome {
    Fold,     // the main window gives way to the tool strip
    BringOut, // the window may not fold but is tucked at an edge: it simply comes out, no message
    Refuse,   // the window stays, with kCannotFold
};

// The tracking of the desktop: the screen edge the main window is tucked at, the titles of the
// top-level windows and which presentation windows they show, and what the main window does about
// them on each tick and when 缩小 is pressed.
class WindowTracking {
public:
    static inline const CatalogueText kCannotFold{
        "WindowTracking", QT_TRANSLATE_NOOP("WindowTracking", "以下三种情况不能隐藏主界面            \n\n"
                                                              "    1.当前未开始计时，或\n"
                                                              "    2.当前为暂停计时，或\n"
                                                              "3.当前打开了PPT文件但没有播放该文件")};

    const docking::Flags& docked() const { return docked_; }
    bool isDocked() const { return docked_.any(); }
    void setDocked(const docking::Flags& flags) { docked_ = flags; }
    void clearDocked() { docked_ = {}; }

    const showdetection::Found& lastScan() const { return lastScan_; }
    void setLastScan(const showdetection::Found& found) { lastScan_ = found; }

    // The titles the last tick saw, empty ones left out.
    const QStringList& titles() const { return titles_.titles(); }
    // Forgets the titles and the last scan, as a freshly loaded main window knows none.
    void forgetTitles();

    // F9 and F11 as the window system reports them; the next tick answers each press once.
    KeyPresses& keys() { return keys_; }
    const KeyPresses& keys() const { return keys_; }

    // Whether a tick needs to know where the pointer is: only for a shown window that is tucked
    // away, or that the pointer's leaving would tuck or fold (at or beyond an edge, taller than its
    // normal height). Otherwise the pointer changes nothing and need not be read.
    bool watchesPointer(const DesktopView& view) const;

    // One tick: docks or frees the window, scans the titles, answers the key presses noted since
    // the last tick, and says what the window does. The docking flags it ends with are already
    // stored (F11 clears them).
    TrackingStep step(const DesktopView& view);

    // 缩小, judged on the titles of the last tick. The caller clears the docking flags when the
    // window does not fold: only after the message, which a tick may interrupt.
    FoldOutcome fold(bool counting);

private:
    docking::Flags docked_;
    showdetection::Found lastScan_;
    TitleScan titles_;
    KeyPresses keys_;
};
