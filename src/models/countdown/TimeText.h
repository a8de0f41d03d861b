#pragma once

#include <QString>
#include <cstdint>

// "07" for 7, "12" for 12: a value above 9 in plain decimal, 0 to 9 with a leading zero.
QString twoDigitText(int value);

// The count display: minutes, " : ", seconds, seven characters ("01 : 00").
QString countDisplayText(int minutes, int seconds);

// The two pairs that other windows copy out of the count display: characters 1-2 and 6-7.
QString displayMinutes(const QString& countDisplay);
QString displaySeconds(const QString& countDisplay);

// "定时 01:00 提前 00:30".
QString summaryText(int totalMinutes, int totalSeconds, int reminderMinutes, int reminderSeconds);

// "还剩0分30秒!" (no zero padding).
QString reminderText(int minutes, int seconds);
