#pragma once

#include <xcb/xcb.h>

class XcbConnection;

namespace x11withdrawal {

// Waits, at most timeoutMs, until the window manager has let go of a window the program unmapped:
// the window is a child of the root window again and carries no WM_STATE but Withdrawn. A window
// mapped again before that may be unmapped by the manager as it finishes letting go (KWin does),
// which matters when the window comes back as one the manager does not manage. True once let go.
bool waitUntilWithdrawn(XcbConnection& connection, xcb_window_t window, int timeoutMs);

} // namespace x11withdrawal
