#pragma once

#include <QString>
#include <cstdint>

// The one home of the program's time texts: the main window, the strip and the enlarged window all
// take theirs from here.

// "07" for 7, "12" for 12: a value above 9 in plain decimal, 0 to 9 with a leading zero.
QString twoDigitText(int value);

// The count display: minutes, " : ", seconds, seven characters ("01 : 00").
QString countDisplayText(int minutes, int seconds);

// The count past 00 : 00: "+" and the overtime as the count display shows a time ("+01 : 12").
QString overtimeDisplayText(int seconds);
// The overtime in words, as a screen reader says it: "超时 1 分 12 秒".
QString overtimeSpokenText(int seconds);

// The two pairs that other windows copy out of the count display: characters 1-2 and 6-7 (after the
// "+" of an overtime count).
QString displayMinutes(const QString& countDisplay);
QString displaySeconds(const QString& countDisplay);

// "定时 01:00 提前 00:30".
QString summaryText(int totalMinutes, int totalSeconds, int reminderMinutes, int reminderSeconds);

// "还剩0分30秒!" (no zero padding).
QString reminderText(int minutes, int seconds);

// "定时05分00秒": the total of a run in the enlarged window.
QString totalText(int totalMinutes, int totalSeconds);

// "定时05分00秒,剩余04分59秒": the strip's line while the countdown runs, the remaining time copied out
// of the count display.
QString runningText(int totalMinutes, int totalSeconds, const QString& countDisplay);
