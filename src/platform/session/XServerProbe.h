#pragma once

#include "platform/session/DesktopSession.h"

// Connects to the X server named by DISPLAY, when one is named, and asks whether it is a Wayland
// compositor's X server (XWayland announces itself with an extension of that name).
XServerProbe probeXServer();
