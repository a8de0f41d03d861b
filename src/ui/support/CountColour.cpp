#include "ui/support/CountColour.h"

#include "models/countdown/PaceColours.h"
#include "models/settings/ProgramOptions.h"

QColor countColour(const Countdown& countdown, const ProgramOptions& options)
{
    const Rgb colour = countColour(countdown.pace(), options.paceColours());
    return QColor(colour.red, colour.green, colour.blue);
}
