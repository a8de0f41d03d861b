#pragma once

#include <QPointF>
#include <QSizeF>
#include <cstdint>

// Tucking the main window away at a screen edge and keeping it reachable. Everything is in twips
// and works on the window's outer rectangle. The "screen" is the extent of the whole desktop from its
// top-left corner: with two screens side by side the window tucks at the outer edges only, never at
// the seam between them.
namespace docking {

// What stays on screen of a tucked window.
constexpr double kTuckedStrip = 90;
// A window tucked at the right edge keeps clear of the bottom by this much more.
constexpr double kRightBottomMargin = 210;
// A window is never left lower than this above the bottom of the screen.
constexpr double kBottomLimit = 540;

struct Window {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

struct Flags {
    bool top = false;
    bool left = false;
    bool right = false;
    bool any() const { return top || left || right; }
};

// The pointer counts as inside on the window's last pixel column and row as well. Left, Top and
// Width are compared as real pixel values, the height as whole pixels.
bool pointerInside(const Window& window, QPointF pointerTwips, double twipsPerPixel);

// The pointer is back on the window: bring a tucked window out flush with its edge.
void undoTuck(Window& window, Flags& flags, QSizeF screen);

// The pointer is away: a window at or beyond an edge tucks itself behind it. The top edge wins over
// the sides; left and right exclude each other.
void tuckAtEdges(Window& window, Flags& flags, QSizeF screen);

// Pulls a window back so that a strip of it stays on screen, and never lower than the bottom limit.
void keepReachable(Window& window, QSizeF screen);

} // namespace docking
