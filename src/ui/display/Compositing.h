#pragma once

#include <functional>

// Whether a compositing manager draws the desktop now: only then does a window's alpha channel
// show what lies beneath it. Without one, a translucent pixel shows as a darker colour instead.
bool compositorRuns();

// Replaces the answer for the tests; an empty function puts the real one back.
void setCompositorRunsForTesting(std::function<bool()> answer);
