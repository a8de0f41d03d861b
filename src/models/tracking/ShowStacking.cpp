#include "models/tracking/ShowStacking.h"

namespace showstacking {

std::optional<bool> keepAbove(FocusedWindow focused, bool showSeen)
{
    switch (focused) {
    case FocusedWindow::FullScreen:
        return true;
    case FocusedWindow::Other:
    case FocusedWindow::Ours:
        return false;
    case FocusedWindow::OursAbove:
        return std::nullopt;
    case FocusedWindow::None:
    case FocusedWindow::Unknown:
        break;
    }
    return showSeen;
}

} // namespace showstacking
