#include "models/countdown/TimeEntry.h"

#include <limits>

int16_t readBox(const QString& text)
{
    const QString trimmed = text.trimmed();
    long value = 0;
    for (const QChar c : trimmed) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        value = value * 10 + (c.unicode() - '0');
        if (value > std::numeric_limits<int16_t>::max())
            return std::numeric_limits<int16_t>::max();
    }
    return int16_t(value);
}

StartCheck checkStart(int totalMinutes, int totalSeconds, int reminderMinutes, int reminderSeconds)
{
    const int total = totalMinutes * 60 + totalSeconds;
    const int reminder = reminderMinutes * 60 + reminderSeconds;
    if (total < 20)
        return StartCheck::TooShort;
    if (total < reminder + 10)
        return StartCheck::ReminderTooLate;
    return StartCheck::Accepted;
}

bool secondsAcceptable(const QString& text)
{
    return readBox(text) <= 59;
}
