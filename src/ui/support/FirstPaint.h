#pragma once

#include <functional>

class QWidget;

// Runs then once the window and its controls have been painted for the first time, so that work
// that can wait (loading back-ends in the background) does not delay the first picture.
void afterFirstPaint(QWidget* window, std::function<void()> then);

// For the start-up benchmark: with VANTREL_REPORT_FIRST_PAINT set, prints "first-paint <peak memory
// in kB> <shared libraries mapped>" on standard output once the window has been painted for the
// first time. Does nothing otherwise.
void reportFirstPaintWhenAsked(QWidget* window);
