#pragma once

#include <functional>

class QWidget;

// Runs then once, the first time the user reaches for the window: the pointer enters or moves over it,
// or a key, a button or the wheel is pressed in it. Work that only the user's own actions need (the
// sound cues) starts there: ahead of the first click, yet not paid for while the program merely sits
// open. then runs before the event is handled, so it should only start work, not do it. Nothing runs
// if the window goes away first.
void onFirstApproach(QWidget* window, std::function<void()> then);
