#include "models/countdown/PaceColours.h"

#include <algorithm>
#include <cmath>

Rgb paceColour(Countdown::Pace pace)
{
    switch (pace) {
    case Countdown::Pace::Ahead:
        return {0, 112, 0};
    case Countdown::Pace::Closing:
        return {150, 80, 0};
    case Countdown::Pace::Over:
    case Countdown::Pace::None:
        return {192, 0, 0};
    }
    return kCountRed;
}

Rgb countColour(Countdown::Pace pace, bool paceColours)
{
    if (!paceColours || pace == Countdown::Pace::None)
        return kCountRed;
    return paceColour(pace);
}

namespace {

double linear(int channel)
{
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(Rgb colour)
{
    return 0.2126 * linear(colour.red) + 0.7152 * linear(colour.green) + 0.0722 * linear(colour.blue);
}

} // namespace

double contrastRatio(Rgb first, Rgb second)
{
    const double a = luminance(first);
    const double b = luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}
