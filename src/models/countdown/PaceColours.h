#pragma once

#include "models/countdown/Countdown.h"

// Colours as red, green, blue triples (0-255): the models draw nothing, the windows paint these.
struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The count's digits as shipped: red whatever the pace.
inline constexpr Rgb kCountRed{255, 0, 0};

// The digits' colour for the pace of the count: green ahead, amber closing in, red over. Dark enough
// to be read on a projected light background (at least 4.5 : 1 against the windows' light grey).
Rgb paceColour(Countdown::Pace pace);

// What the count's digits show: the pace colour with pace colours on, otherwise the shipped red.
Rgb countColour(Countdown::Pace pace, bool paceColours);

// Contrast between two colours as readability guidelines measure it: 1 (none) to 21 (black on white).
double contrastRatio(Rgb first, Rgb second);
