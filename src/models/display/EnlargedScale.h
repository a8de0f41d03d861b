#pragma once

#include <QSize>

// How much larger than designed the enlarged window is drawn on a screen of this size (in twips): 1 up
// to a 1024 × 768 screen, growing with the screen beyond it so the digits stay legible from the back
// of a room. The smaller of the two ratios wins, so the window always fits.
double enlargedScale(QSize screenTwips);
