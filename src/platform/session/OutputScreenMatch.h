#pragma once

#include <QList>
#include <QRect>
#include <QString>

// A monitor as the Wayland compositor describes it: its connector name ("HDMI-A-1") and its place and
// size in the compositor's layout, in logical pixels (null when the compositor did not say).
struct CompositorOutput {
    QString name;
    QRect logical;

    bool operator==(const CompositorOutput&) const = default;
};

// One of the screens our windows are placed on, as the toolkit names and places it.
struct ScreenArea {
    QString name;
    QRect geometry;
};

// Which of our screens shows the compositor's output: the one of the same name (Qt's Wayland platform
// names screens after the outputs), else the one at the same place and size (XWayland 22 names them
// XWAYLAND0, XWAYLAND1, … but places them as the compositor does), else the one the output overlaps
// most. -1 when none does.
qsizetype screenOfOutput(const CompositorOutput& output, const QList<ScreenArea>& screens);
