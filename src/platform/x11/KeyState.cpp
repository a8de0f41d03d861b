#include "platform/x11/KeyState.h"

#include "platform/x11/XcbConnection.h"

#include <cstdlib>

namespace {
constexpr qint64 kKeymapReuseMs = 5;
constexpr uint32_t kKeysymF1 = 0xffbe;
} // namespace

KeyState::KeyState(XcbConnection& connection) : connection_(connection)
{
    readKeyboardMapping();
    connection_.addListener([this](const xcb_generic_event_t* event) {
        if ((event->response_type & 0x7f) == XCB_MAPPING_NOTIFY)
            readKeyboardMapping();
    });
}

uint32_t KeyState::keysymFor(int keyCode)
{
    if (keyCode >= 112 && keyCode <= 135)
        return kKeysymF1 + uint32_t(keyCode - 112);
    if (keyCode >= '0' && keyCode <= '9')
        return uint32_t(keyCode);
    if (keyCode >= 'A' && keyCode <= 'Z')
        return uint32_t(keyCode - 'A' + 'a');
    return 0;
}

void KeyState::readKeyboardMapping()
{
    xcb_connection_t* c = connection_.get();
    if (!c)
        return;
    const xcb_setup_t* setup = xcb_get_setup(c);
    minKeycode_ = setup->min_keycode;
    const uint8_t count = uint8_t(setup->max_keycode - setup->min_keycode + 1);
    xcb_get_keyboard_mapping_reply_t* reply =
        xcb_get_keyboard_mapping_reply(c, xcb_get_keyboard_mapping(c, minKeycode_, count), nullptr);
    if (!reply)
        return;
    keysymsPerKeycode_ = reply->keysyms_per_keycode;
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply);
    keysyms_.assign(syms, syms + xcb_get_keyboard_mapping_keysyms_length(reply));
    free(reply);
}

bool KeyState::isDown(int keyCode)
{
    xcb_connection_t* c = connection_.get();
    const uint32_t keysym = keysymFor(keyCode);
    if (!c || keysym == 0 || keysymsPerKeycode_ == 0)
        return false;
    connection_.dispatchPending();
    if (!keysRead_.isValid() || keysRead_.elapsed() > kKeymapReuseMs) {
        xcb_query_keymap_reply_t* reply = xcb_query_keymap_reply(c, xcb_query_keymap(c), nullptr);
        if (!reply)
            return false;
        std::copy(std::begin(reply->keys), std::end(reply->keys), keys_.begin());
        free(reply);
        keysRead_.start();
    }
    // Every keycode that produces the key counts.
    for (unsigned keycode = minKeycode_; keycode < 256; ++keycode) {
        if ((keys_[keycode / 8] & (1u << (keycode % 8))) && producesKey(keycode, keyCode))
            return true;
    }
    return false;
}

bool KeyState::producesKey(unsigned keycode, int keyCode) const
{
    const uint32_t keysym = keysymFor(keyCode);
    if (keysym == 0 || keysymsPerKeycode_ == 0 || keycode < minKeycode_)
        return false;
    const size_t first = size_t(keycode - minKeycode_) * keysymsPerKeycode_;
    for (size_t i = first; i < first + keysymsPerKeycode_ && i < keysyms_.size(); ++i) {
        if (keysyms_[i] == keysym)
            return true;
    }
    return false;
}
