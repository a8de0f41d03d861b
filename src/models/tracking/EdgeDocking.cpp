#include "models/tracking/EdgeDocking.h"

#include <cmath>

namespace docking {

bool pointerInside(const Window& window, QPointF pointerTwips, double tpp)
{
    const double left = window.left / tpp;
    const double top = window.top / tpp;
    const double width = window.width / tpp;
    const double height = std::round(window.height / tpp);
    const double x = pointerTwips.x() / tpp;
    const double y = pointerTwips.y() / tpp;
    return x >= left && x <= left + width && y >= top && y <= top + height;
}

void undoTuck(Window& window, Flags& flags, QSizeF screen)
{
    if (flags.top) {
        window.top = 0;
        flags.top = false;
    }
    if (flags.left) {
        window.left = 0;
        flags.left = false;
    }
    if (flags.right) {
        window.left = screen.width() - window.width;
        flags.right = false;
    }
}

void tuckAtEdges(Window& window, Flags& flags, QSizeF screen)
{
    const double sw = screen.width();
    const double sh = screen.height();
    if (window.top <= 0) {
        window.top = kTuckedStrip - window.height;
        flags.top = true;
        // Tucked at the top, the strip stays wholly on screen.
        if (window.left > sw - window.width - kTuckedStrip)
            window.left = sw - window.width - kTuckedStrip;
        if (window.left < 0)
            window.left = kTuckedStrip;
    }
    if (window.left <= 0 && !flags.top && !flags.right) {
        window.left = kTuckedStrip - window.width;
        flags.left = true;
        if (window.top > sh - window.height - kTuckedStrip)
            window.top = sh - window.height - kTuckedStrip;
    }
    if (window.left >= sw - window.width && !flags.top && !flags.left) {
        window.left = sw - kTuckedStrip;
        flags.right = true;
        if (window.top > sh - window.height - kRightBottomMargin)
            window.top = sh - window.height - kRightBottomMargin;
    }
}

void keepReachable(Window& window, QSizeF screen)
{
    if (window.left < kTuckedStrip - window.width)
        window.left = kTuckedStrip - window.width;
    if (window.left > screen.width() - kTuckedStrip)
        window.left = screen.width() - kTuckedStrip;
    if (window.top < kTuckedStrip - window.height)
        window.top = kTuckedStrip - window.height;
    if (window.top > screen.height() - kBottomLimit)
        window.top = screen.height() - kBottomLimit;
}

} // namespace docking
