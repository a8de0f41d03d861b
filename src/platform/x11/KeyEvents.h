#pragma once

#include <QList>
#include <array>
#include <cstdint>
#include <functional>
#include <xcb/xcb.h>

class KeyState;
class XcbConnection;

// Presses and releases of chosen keys, whichever window has the focus, from the X server's raw key
// events (XInput 2) selected on the root window. Every press is seen, however short the tap, and
// no key is grabbed: the window that has the focus still gets it. A server without XInput 2.1 has
// no such events; isAvailable() then says so and nothing is reported.
class KeyEvents {
public:
    // Keys are named by the program's codes; keyMap tells which server keycodes produce them.
    KeyEvents(XcbConnection& connection, const KeyState& keyMap);

    bool isAvailable() const { return opcode_ != 0; }

    // From now on, every change of the keys goes to report, the key's code and whether it is down.
    // A held key reports its press again with each auto-repeat.
    void watch(const QList<int>& keyCodes, std::function<void(int keyCode, bool down)> report);

private:
    void handle(const xcb_generic_event_t* event);

    XcbConnection& connection_;
    const KeyState& keyMap_;
    uint8_t opcode_ = 0;
    QList<int> keyCodes_;
    std::function<void(int, bool)> report_;
};
