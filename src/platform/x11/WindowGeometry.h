#pragma once

#include <QRect>
#include <QString>
#include <optional>
#include <xcb/xcb.h>

class XcbConnection;

namespace x11geometry {

// The outer rectangle, in pixels of the root window, of the first window in the window manager's
// client list whose title (_NET_WM_NAME, else WM_NAME) is exactly this one. Read on the spot.
std::optional<QRect> findTitledWindow(XcbConnection& connection, const QString& title);

// The outer rectangle of the window, its window manager's frame (_NET_FRAME_EXTENTS) included, in pixels
// of the root window.
std::optional<QRect> outerRect(XcbConnection& connection, xcb_window_t window);

} // namespace x11geometry
