#pragma once

#include "platform/WindowSystem.h"

#include <optional>

// Whether what the program shows must be kept above every window to be seen. Window managers stack
// a full-screen window that has the keyboard (a running slide show) above every top-most window;
// only a window they do not manage is drawn over it, and such a window never takes the keyboard
// from the show by being shown or clicked.
namespace showstacking {

// True: keep the program's shown windows above everything; false: give them back to the window
// manager (another program's ordinary window has the keyboard, or a question of ours, which the
// windows kept above would cover); unset: leave them as they are (the teacher clicked one of them,
// and re-stacking it now would take the window away from under the pointer). `showSeen` says whether
// the titles show a running slide show, for when the window system cannot tell which window has the
// keyboard (a native show on a Wayland desktop).
std::optional<bool> keepAbove(FocusedWindow focused, bool showSeen);

} // namespace showstacking
