#include "models/draw/ClassLists.h"

#include "models/settings/ProgramOptions.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kFairKey = QStringLiteral("nameList/fairDraw");
const QString kCurrentKey = QStringLiteral("nameList/current");
const QString kRecentKey = QStringLiteral("nameList/recent");
// A path may hold almost anything but a line break does not reach a file dialog's choice.
const QChar kSeparator = QLatin1Char('\n');

} // namespace

bool ClassLists::isEnabled() const
{
    // Read as the settings window reads it, so that both agree on what a hand-edited file says.
    return ProgramOptions::parseSwitch(settings_.value(ProgramOptions::kClassListsKey)).value_or(false);
}

bool ClassLists::isFairDraw() const
{
    return isEnabled() && ProgramOptions::parseSwitch(settings_.value(kFairKey)).value_or(false);
}

void ClassLists::setFairDraw(bool on)
{
    settings_.setValue(kFairKey, on ? QStringLiteral("true") : QStringLiteral("false"));
}

QString ClassLists::current() const
{
    return isEnabled() ? settings_.value(kCurrentKey) : QString();
}

QStringList ClassLists::recent() const
{
    QStringList lists;
    for (const QString& path : settings_.value(kRecentKey).split(kSeparator, Qt::SkipEmptyParts)) {
        if (!lists.contains(path) && lists.size() < kRecentCount)
            lists.append(path);
    }
    return lists;
}

void ClassLists::choose(const QString& path)
{
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QStringList lists = recent();
    lists.removeAll(absolute);
    lists.prepend(absolute);
    while (lists.size() > kRecentCount)
        lists.removeLast();
    settings_.setValue(kRecentKey, lists.join(kSeparator));
    settings_.setValue(kCurrentKey, absolute);
}

void ClassLists::chooseFolderList()
{
    settings_.setValue(kCurrentKey, QString());
}

QString ClassLists::className(const QString& path)
{
    return QFileInfo(path).completeBaseName();
}
