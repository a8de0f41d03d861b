#pragma once

#include <QColor>

class Countdown;
class ProgramOptions;

// The colour of the count's digits in every window that shows them: the pace colour with pace
// colours on, the shipped red otherwise.
QColor countColour(const Countdown& countdown, const ProgramOptions& options);
