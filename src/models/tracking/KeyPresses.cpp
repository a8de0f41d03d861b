#include "models/tracking/KeyPresses.h"

#include <algorithm>

KeyPresses::Key& KeyPresses::key(int keyCode)
{
    auto it = std::find_if(keys_.begin(), keys_.end(), [keyCode](const Key& k) { return k.code == keyCode; });
    if (it != keys_.end())
        return *it;
    keys_.push_back(Key{keyCode, false, 0});
    return keys_.back();
}

void KeyPresses::note(int keyCode, bool down)
{
    Key& k = key(keyCode);
    if (down && !k.down)
        ++k.pending;
    k.down = down;
}

int KeyPresses::take(int keyCode)
{
    Key& k = key(keyCode);
    const int presses = k.pending;
    k.pending = 0;
    return presses;
}

bool KeyPresses::anyPending() const
{
    return std::any_of(keys_.begin(), keys_.end(), [](const Key& k) { return k.pending > 0; });
}

void KeyPresses::dropPending()
{
    for (Key& k : keys_)
        k.pending = 0;
}
