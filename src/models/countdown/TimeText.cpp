#include "models/countdown/TimeText.h"

#include <QCoreApplication>

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

QString overtimeDisplayText(int seconds)
{
    return QStringLiteral("+") + countDisplayText(seconds / 60, seconds % 60);
}

QString overtimeSpokenText(int seconds)
{
    return QCoreApplication::translate("TimeText", "超时 %1 分 %2 秒")
        .arg(QString::number(seconds / 60), QString::number(seconds % 60));
}

namespace {
qsizetype pairsStart(const QString& countDisplay)
{
    return countDisplay.startsWith(QLatin1Char('+')) ? 1 : 0;
}
} // namespace

QString displayMinutes(const QString& countDisplay)
{
    return countDisplay.mid(pairsStart(countDisplay), 2);
}

QString displaySeconds(const QString& countDisplay)
{
    return countDisplay.mid(pairsStart(countDisplay) + 5, 2);
}

QString summaryText(int totalMinutes, int totalSeconds, int reminderMinutes, int reminderSeconds)
{
    return QCoreApplication::translate("TimeText", "定时 %1:%2 提前 %3:%4")
        .arg(twoDigitText(totalMinutes), twoDigitText(totalSeconds), twoDigitText(reminderMinutes),
             twoDigitText(reminderSeconds));
}

QString reminderText(int minutes, int seconds)
{
    return QCoreApplication::translate("TimeText", "还剩%1分%2秒!")
        .arg(QString::number(minutes), QString::number(seconds));
}

QString totalText(int totalMinutes, int totalSeconds)
{
    return QCoreApplication::translate("TimeText", "定时%1分%2秒")
        .arg(twoDigitText(totalMinutes), twoDigitText(totalSeconds));
}

QString runningText(int totalMinutes, int totalSeconds, const QString& countDisplay)
{
    return QCoreApplication::translate("TimeText", "%1,剩余%2分%3秒")
        .arg(totalText(totalMinutes, totalSeconds), displayMinutes(countDisplay),
             displaySeconds(countDisplay));
}
