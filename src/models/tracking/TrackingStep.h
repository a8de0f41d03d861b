#pragma once

#include "models/tracking/EdgeDocking.h"

#include <QPointF>
#include <QSizeF>
#include <QStringList>
#include <optional>

// What a tracking tick sees of the desktop and of the program. Geometry is in twips.
struct DesktopView {
    docking::Window window; // the main window's outer rectangle, as the toolkit knows it
    // Where the window system shows the window right now, when it can tell. While the window manager
    // moves the window by its title bar the toolkit learns the new place only once the button is
    // released; and a window manager may leave more of a tucked window on screen than was asked.
    std::optional<docking::Window> windowSeen;
    double normalHeight = 0; // what the window folds back to once the pointer leaves it
    QSizeF screen;
    std::optional<QPointF> pointer; // unset when not read: the pointer counts as away from the window
    double twipsPerPixel = 15;
    QStringList titles; // of every top-level window, as the window system gives them
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
    int stripToggles = 0;              // F9, once a press: hide a visible tool strip, show a hidden one
    bool bringBack = false;            // F11: strip and launcher away, main window to its standard place
};
