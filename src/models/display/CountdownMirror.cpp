#include "models/display/CountdownMirror.h"

#include "models/countdown/TimeText.h"

#include <QCoreApplication>

QString countdownStatusText(Countdown::State state)
{
    switch (state) {
    case Countdown::State::Stopped:
    case Countdown::State::TimeUp:
        return QCoreApplication::translate("CountdownMirror", "  当前计时状态：停止计时");
    case Countdown::State::Running:
    case Countdown::State::Reminding:
        return QCoreApplication::translate("CountdownMirror", "  当前计时状态：正在计时");
    case Countdown::State::Paused:
        return QCoreApplication::translate("CountdownMirror", "  当前计时状态：暂停计时");
    case Countdown::State::Overtime:
        return QCoreApplication::translate("CountdownMirror", "  当前计时状态：超时计时");
    }
    return {};
}

QString setTimeText(int minutes, int seconds)
{
    return QCoreApplication::translate("CountdownMirror", "定时%1分%2秒")
        .arg(twoDigitText(minutes), twoDigitText(seconds));
}

QString stripTimeLine(const Countdown& countdown)
{
    if (!countdown.isCounting())
        return countdownStatusText(countdown.state());
    const QString& count = countdown.countText();
    if (countdown.isOverrun())
        return QCoreApplication::translate("CountdownMirror", "%1,超时%2分%3秒")
            .arg(setTimeText(countdown.startedMinutes(), countdown.startedSeconds()), displayMinutes(count),
                 displaySeconds(count));
    return QCoreApplication::translate("CountdownMirror", "%1,剩余%2分%3秒")
        .arg(setTimeText(countdown.startedMinutes(), countdown.startedSeconds()), displayMinutes(count),
             displaySeconds(count));
}

QString enlargedDigits(const QString& countText)
{
    const QString sign = countText.startsWith(QLatin1Char('+')) ? QStringLiteral("+") : QString();
    return sign + displayMinutes(countText) + QStringLiteral(" : ") + displaySeconds(countText);
}
