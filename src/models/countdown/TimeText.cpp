#include "models/countdown/TimeText.h"

QString twoDigitText(int value)
{
    if (value > 9)
        return QString::number(value);
    return QStringLiteral("0") + QString::number(value);
}

QString countDisplayText(int minutes, int seconds)
{
    return twoDigitText(minutes) + QStringLiteral(" : ") + twoDigitText(seconds);
}

QString displayMinutes(const QString& countDisplay)
{
    return countDisplay.mid(0, 2);
}

QString displaySeconds(const QString& countDisplay)
{
    return countDisplay.mid(5, 2);
}

QString summaryText(int totalMinutes, int totalSeconds, int reminderMinutes, int reminderSeconds)
{
    return QStringLiteral("定时 ") + twoDigitText(totalMinutes) + QStringLiteral(":") +
           twoDigitText(totalSeconds) + QStringLiteral(" ") + QStringLiteral("提前 ") +
           twoDigitText(reminderMinutes) + QStringLiteral(":") + twoDigitText(reminderSeconds);
}

QString reminderText(int minutes, int seconds)
{
    return QStringLiteral("还剩") + QString::number(minutes) + QStringLiteral("分") +
           QString::number(seconds) + QStringLiteral("秒!");
}

QString totalText(int totalMinutes, int totalSeconds)
{
    return QStringLiteral("定时") + twoDigitText(totalMinutes) + QStringLiteral("分") +
           twoDigitText(totalSeconds) + QStringLiteral("秒");
}

QString runningText(int totalMinutes, int totalSeconds, const QString& countDisplay)
{
    return totalText(totalMinutes, totalSeconds) + QStringLiteral(",剩余") + displayMinutes(countDisplay) +
           QStringLiteral("分") + displaySeconds(countDisplay) + QStringLiteral("秒");
}
