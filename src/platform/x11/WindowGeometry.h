#pragma once

#include <QRect>
#include <QString>
#include <optional>

class XcbConnection;

namespace x11geometry {

// The outer rectangle, in pixels of the root window, of the first window in the window manager's
// client list whose title (_NET_WM_NAME, else WM_NAME) is exactly this one. Read on the spot.
std::optional<QRect> findTitledWindow(XcbConnection& connection, const QString& title);

} // namespace x11geometry
