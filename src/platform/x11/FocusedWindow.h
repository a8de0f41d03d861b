#pragma once

#include "platform/WindowSystem.h"

class XcbConnection;

namespace x11focus {

// Which window has the keyboard, from the window manager's _NET_ACTIVE_WINDOW. A window of another
// program counts as full screen when the manager shows it so (_NET_WM_STATE_FULLSCREEN) or when it
// covers a whole screen without a frame, as older shows do. Read on the spot: two or three round trips.
FocusedWindow read(XcbConnection& connection);

} // namespace x11focus
