#pragma once

#include <QHash>
#include <QSizeF>
#include <QString>
#include <array>

class ZoomStore;

// How large each kind of window is drawn, in steps from 100 % to 300 %. Zooming one window zooms
// every window of its kind and is kept in the store between runs. Kinds are window roles ("main").
class WindowZoom {
public:
    static constexpr std::array<int, 8> kSteps{100, 110, 125, 150, 175, 200, 250, 300};
    static constexpr int kNormal = 100;

    // Without a store the zoom lasts until the program ends.
    explicit WindowZoom(ZoomStore* store = nullptr);

    int percent(const QString& kind) const;
    double factor(const QString& kind) const { return percent(kind) / 100.0; }

    // One step larger or smaller, or back to 100 %; the new percentage, saved.
    int zoomIn(const QString& kind);
    int zoomOut(const QString& kind);
    int reset(const QString& kind);
    // Sets the zoom to the nearest step (a window that cannot fit its wish on its screen keeps less).
    int setPercent(const QString& kind, int percent);

    // The nearest step to any percentage (a hand-edited setting, say), within 100..300 %.
    static int snapToStep(int percent);
    // The largest step, at most the wanted one, at which a window of the design size still fits in
    // the area; 100 % when even that does not fit.
    static int largestFitting(int percent, QSizeF designSize, QSizeF area);

private:
    ZoomStore* store_;
    mutable QHash<QString, int> percents_;
};
