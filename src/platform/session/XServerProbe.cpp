#include "platform/session/XServerProbe.h"

#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

XServerProbe probeXServer()
{
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
        return {};
    xcb_connection_t* conn = xcb_connect(display, nullptr);
    XServerProbe result;
    if (!xcb_connection_has_error(conn)) {
        result.reachable = true;
        static const char kXWayland[] = "XWAYLAND";
        xcb_query_extension_reply_t* reply = xcb_query_extension_reply(
            conn, xcb_query_extension(conn, uint16_t(std::strlen(kXWayland)), kXWayland), nullptr);
        result.isXWayland = reply && reply->present;
        std::free(reply);
    }
    xcb_disconnect(conn);
    return result;
}
