#pragma once

#include <QElapsedTimer>
#include <array>
#include <cstdint>
#include <vector>
#include <xcb/xcb.h>

class XcbConnection;

// Whether a key is held down right now, whichever window has the focus, read from the server's
// keymap. Keys are named by the program's own codes (F1 = 112 ... F24 = 135, letters and digits by
// their upper-case character).
class KeyState {
public:
    explicit KeyState(XcbConnection& connection);

    bool isDown(int keyCode);

    // Whether the server's keycode produces the key, in any of its shift levels.
    bool producesKey(unsigned keycode, int keyCode) const;

    // The keysym that a program key code stands for; 0 when it has none.
    static uint32_t keysymFor(int keyCode);

private:
    void readKeyboardMapping();

    XcbConnection& connection_;
    xcb_keycode_t minKeycode_ = 8;
    uint8_t keysymsPerKeycode_ = 0;
    std::vector<xcb_keysym_t> keysyms_;
    // One query answers every key asked about within a few milliseconds (F9 and F11 of one tick).
    std::array<uint8_t, 32> keys_{};
    QElapsedTimer keysRead_;
};
