#include "models/announce/SpokenTexts.h"

#include <QCoreApplication>

namespace {

// "4 分 12 秒", whole minutes as "1 分钟", no "0 分" in front of the seconds. Counted forms, so that
// a language with plurals says "1 minute" and "2 minutes".
QString spokenDuration(int minutes, int seconds)
{
    if (minutes > 0 && seconds == 0)
        return QCoreApplication::translate("SpokenTexts", "%n 分钟", nullptr, minutes);
    const QString secondsText = QCoreApplication::translate("SpokenTexts", "%n 秒", nullptr, seconds);
    if (minutes == 0)
        return secondsText;
    return QCoreApplication::translate("SpokenTexts", "%1 %2")
        .arg(QCoreApplication::translate("SpokenTexts", "%n 分", nullptr, minutes), secondsText);
}

} // namespace

QString spokenRemaining(int minutes, int seconds)
{
    return QCoreApplication::translate("SpokenTexts", "剩余 %1").arg(spokenDuration(minutes, seconds));
}

QString spokenReminder(int minutes, int seconds)
{
    return QCoreApplication::translate("SpokenTexts", "还剩 %1").arg(spokenDuration(minutes, seconds));
}

QString spokenTimeUp()
{
    return QCoreApplication::translate("SpokenTexts", "时间到");
}

QString spokenDraw(const QString& drawn, bool roundOver)
{
    if (roundOver)
        return QCoreApplication::translate("SpokenTexts", "抽中 %1，本轮抽签结束").arg(drawn);
    return QCoreApplication::translate("SpokenTexts", "抽中 %1").arg(drawn);
}
