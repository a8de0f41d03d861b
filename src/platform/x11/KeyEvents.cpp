#include "platform/x11/KeyEvents.h"

#include "platform/x11/KeyState.h"
#include "platform/x11/XcbConnection.h"

#include <cstdlib>
#include <xcb/xinput.h>

namespace {
// Raw events reach a client on the root window, without a grab, from XInput 2.1 on.
constexpr uint16_t kMajor = 2;
constexpr uint16_t kMinor = 2;
} // namespace

KeyEvents::KeyEvents(XcbConnection& connection, const KeyState& keyMap)
    : connection_(connection), keyMap_(keyMap)
{
    xcb_connection_t* c = connection_.get();
    if (!c)
        return;
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(c, &xcb_input_id);
    if (!extension || !extension->present)
        return;
    xcb_input_xi_query_version_reply_t* version =
        xcb_input_xi_query_version_reply(c, xcb_input_xi_query_version(c, kMajor, kMinor), nullptr);
    const bool recentEnough = version && (version->major_version > 2 ||
                                          (version->major_version == 2 && version->minor_version >= 1));
    free(version);
    if (!recentEnough)
        return;

    // The master keyboard's raw events: one per key change, whichever keyboard made it.
    struct {
        xcb_input_event_mask_t head;
        uint32_t bits;
    } mask{{XCB_INPUT_DEVICE_ALL_MASTER, 1},
           XCB_INPUT_XI_EVENT_MASK_RAW_KEY_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_KEY_RELEASE};
    xcb_void_cookie_t selected = xcb_input_xi_select_events_checked(c, connection_.root(), 1, &mask.head);
    if (xcb_generic_error_t* error = xcb_request_check(c, selected)) {
        free(error);
        return;
    }
    opcode_ = extension->major_opcode;
    connection_.addListener([this](const xcb_generic_event_t* event) { handle(event); });
}

void KeyEvents::watch(const QList<int>& keyCodes, std::function<void(int, bool)> report)
{
    keyCodes_ = keyCodes;
    report_ = std::move(report);
}

void KeyEvents::handle(const xcb_generic_event_t* event)
{
    if ((event->response_type & 0x7f) != XCB_GE_GENERIC || !report_)
        return;
    const auto* generic = reinterpret_cast<const xcb_ge_generic_event_t*>(event);
    if (generic->extension != opcode_)
        return;
    const bool down = generic->event_type == XCB_INPUT_RAW_KEY_PRESS;
    if (!down && generic->event_type != XCB_INPUT_RAW_KEY_RELEASE)
        return;
    const auto* raw = reinterpret_cast<const xcb_input_raw_key_press_event_t*>(event);
    for (int keyCode : keyCodes_) {
        if (keyMap_.producesKey(raw->detail, keyCode))
            report_(keyCode, down);
    }
}
