#include "models/display/CountdownMirror.h"

#include "models/countdown/TimeText.h"

QString countdownStatusText(Countdown::State state)
{
    switch (state) {
    case Countdown::State::Stopped:
    case Countdown::State::TimeUp:
        return QStringLiteral("  当前计时状态：停止计时");
    case Countdown::State::Running:
    case Countdown::State::Reminding:
        return QStringLiteral("  当前计时状态：正在计时");
    case Countdown::State::Paused:
        return QStringLiteral("  当前计时状态：暂停计时");
    }
    return {};
}

QString setTimeText(int minutes, int seconds)
{
    return QStringLiteral("定时") + twoDigitText(minutes) + QStringLiteral("分") + twoDigitText(seconds) +
           QStringLiteral("秒");
}

QString stripTimeLine(const Countdown& countdown)
{
    if (!countdown.isCounting())
        return countdownStatusText(countdown.state());
    const QString& count = countdown.countText();
    return setTimeText(countdown.startedMinutes(), countdown.startedSeconds()) + QStringLiteral(",剩余") +
           displayMinutes(count) + QStringLiteral("分") + displaySeconds(count) + QStringLiteral("秒");
}

QString enlargedDigits(const QString& countText)
{
    return displayMinutes(countText) + QStringLiteral(" : ") + displaySeconds(countText);
}
