#pragma once

#include "models/tracking/EdgeDocking.h"

#include <QPointF>
#include <QSizeF>
#include <QStringList>
#include <optional>

// What a tracking tick sees of the desktop and of the program. Geometry is in twips.
struct DesktopView {
    docking::Window window;  // the main window's outer rectangle
    double normalHeight = 0; // what the window folds back to once the pointer leaves it
    QSizeF screen;
    QPointF pointer;
    double twipsPerPixel = 15;
    QStringList titles; // of every top-level window, as the window system gives them
    bool f9Down = false;
    bool f11Down = false;
    bool counting = false;
    bool stopped = false;
    bool mainHidden = false;
    bool reminderRunning = false; // the reminder's blinking owns 缩小 while it runs
};

// What the main window does on a tracking tick, in this order.
struct TrackingStep {
    bool freeDrawButton = false;       // 抽签 enabled again
    bool titlesChanged = false;        // the titles differ from the last tick's
    std::optional<bool> shrinkEnabled; // 缩小 on or off; unset leaves it as it is
    bool keepMainInView = false;       // show the main window and close the draw launcher
    std::optional<double> height;      // a new height
    std::optional<QPointF> moveTo;     // a new top-left corner
    bool toggleStrip = false;          // F9: hide a visible tool strip, show a hidden one
    bool bringBack = false;            // F11: strip and launcher away, main window to its standard place
};
