#include "platform/session/XServerProbe.h"

#include <cstdlib>
#include <cstring>
#include <xcb/randr.h>
#include <xcb/xcb.h>

namespace {
bool hasExtension(xcb_connection_t* conn, const char* name)
{
    xcb_query_extension_reply_t* reply = xcb_query_extension_reply(
        conn, xcb_query_extension(conn, uint16_t(std::strlen(name)), name), nullptr);
    const bool present = reply && reply->present;
    std::free(reply);
    return present;
}

// XWayland before 23.1 names its screen outputs XWAYLAND0, XWAYLAND1, …
bool hasXWaylandOutput(xcb_connection_t* conn)
{
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(conn)).data;
    if (!screen || !hasExtension(conn, "RANDR"))
        return false;
    xcb_randr_get_screen_resources_current_reply_t* resources = xcb_randr_get_screen_resources_current_reply(
        conn, xcb_randr_get_screen_resources_current(conn, screen->root), nullptr);
    if (!resources)
        return false;
    bool found = false;
    const xcb_randr_output_t* outputs = xcb_randr_get_screen_resources_current_outputs(resources);
    const int count = xcb_randr_get_screen_resources_current_outputs_length(resources);
    for (int i = 0; i < count && !found; ++i) {
        xcb_randr_get_output_info_reply_t* info = xcb_randr_get_output_info_reply(
            conn, xcb_randr_get_output_info(conn, outputs[i], resources->config_timestamp), nullptr);
        if (!info)
            continue;
        const char* name = reinterpret_cast<const char*>(xcb_randr_get_output_info_name(info));
        const int length = xcb_randr_get_output_info_name_length(info);
        found = length >= 8 && std::strncmp(name, "XWAYLAND", 8) == 0;
        std::free(info);
    }
    std::free(resources);
    return found;
}
} // namespace

XServerProbe probeXServer()
{
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
        return {};
    xcb_connection_t* conn = xcb_connect(display, nullptr);
    XServerProbe result;
    if (!xcb_connection_has_error(conn)) {
        result.reachable = true;
        // Newer XWayland announces itself with an extension of its name.
        result.isXWayland = hasExtension(conn, "XWAYLAND") || hasXWaylandOutput(conn);
    }
    xcb_disconnect(conn);
    return result;
}
