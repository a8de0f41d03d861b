#pragma once

#include <vector>

// Presses of the function keys that tracking answers, each counted once. A key reported down while
// it is already down is no new press: the keyboard's auto-repeat sends the press again and again,
// and a poll of the key state finds a held key down on every tick. Fed by the window system's key
// events where it has them, else by polling the key state on each tick.
class KeyPresses {
public:
    // The key is down, or up, now.
    void note(int keyCode, bool down);

    // The presses of the key noted since the last take.
    int take(int keyCode);
    bool anyPending() const;

    // The presses noted so far do not count (tracking was off). A key still held stays held, so
    // holding it on does not count again either.
    void dropPending();

private:
    struct Key {
        int code = 0;
        bool down = false;
        int pending = 0;
    };
    Key& key(int keyCode);

    std::vector<Key> keys_;
};
