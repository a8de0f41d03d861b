#pragma once

#include "models/countdown/Countdown.h"

#include <QString>

// What the tool strip and the enlarged window show of the countdown. Neither owns any timing: five
// times a second each copies these texts from the countdown.

// The state in words, as both windows' status lines say it: "  当前计时状态：正在计时".
QString countdownStatusText(Countdown::State state);

// The strip's one line: the set and the remaining time while counting ("定时09分00秒,剩余08分59秒"),
// the set time and the overtime past 00 : 00 ("定时09分00秒,超时01分12秒"), the state otherwise.
QString stripTimeLine(const Countdown& countdown);

// The set time of the last start, "定时09分05秒".
QString setTimeText(int minutes, int seconds);

// The enlarged digits: the minutes and seconds of the main window's count, "08 : 59" ("+01 : 12" in
// overtime).
QString enlargedDigits(const QString& countText);
