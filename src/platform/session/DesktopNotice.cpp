#include "platform/session/DesktopNotice.h"

#include "platform/Dialogs.h"
#include "platform/files/SettingsFile.h"

#include <QCoreApplication>
#include <QStringList>

namespace {
QString seenKey(SessionKind kind)
{
    return QStringLiteral("notices/desktop-%1-seen").arg(sessionKindName(kind));
}

// As QSettings reads a flag: anything but nothing, 0 and false.
bool isTrue(const QString& text)
{
    const QString flag = text.trimmed();
    return !flag.isEmpty() && flag != QLatin1String("0") &&
           flag.compare(QLatin1String("false"), Qt::CaseInsensitive) != 0;
}
} // namespace

QString DesktopNotice::text(const SessionFeatures& features)
{
    QStringList missing;
    QStringList remedies;
    if (!features.placesWindows)
        missing << QCoreApplication::translate(
            "DesktopNotice", "窗口不能自行摆放：标准位置、居中、到时滑动和贴边隐藏都不起作用。");
    if (!features.staysAboveFullScreen)
        missing << QCoreApplication::translate("DesktopNotice", "工具条不一定能留在全屏放映的上面。");
    if (features.keys == GlobalKeys::WhileOursFocused)
        missing << QCoreApplication::translate(
            "DesktopNotice", "F9 和 F11 只在本软件的窗口为当前窗口时有效，放映时按下不起作用。");
    else if (features.keys == GlobalKeys::None)
        missing << QCoreApplication::translate("DesktopNotice", "F9 和 F11 不起作用。");
    if (features.titles != OtherWindowTitles::All)
        missing << QCoreApplication::translate(
            "DesktopNotice", "其他程序直接在 Wayland 上运行的窗口（例如演示程序的放映）看不到，"
                             "“缩小”不会因它们而改变。");
    if (missing.isEmpty())
        return {};

    if (features.keys != GlobalKeys::Everywhere)
        remedies << QCoreApplication::translate(
            "DesktopNotice", "用工具条左边的图标回到主界面，用托盘里的铃铛图标显示或退出本软件。");
    if (features.titles != OtherWindowTitles::All)
        remedies << QCoreApplication::translate("DesktopNotice",
                                                "用本软件自带的放映播放演示文稿，它总能被认出。");
    if (!features.placesWindows || !features.staysAboveFullScreen)
        remedies << QCoreApplication::translate("DesktopNotice",
                                                "安装 XWayland（软件包 xwayland）后重新启动本软件，"
                                                "或者登录时选择 X11 会话，窗口就能正常摆放。");

    QString result =
        QCoreApplication::translate("DesktopNotice", "本桌面为 Wayland 会话，有些功能受到限制：\n\n");
    for (const QString& line : missing)
        result += QStringLiteral("· ") + line + QLatin1Char('\n');
    result += QCoreApplication::translate("DesktopNotice", "\n替代办法：\n");
    for (const QString& line : remedies)
        result += QStringLiteral("· ") + line + QLatin1Char('\n');
    return result.trimmed();
}

bool DesktopNotice::showOnce(Dialogs& dialogs, QWidget* owner, SessionKind kind)
{
    return showOnce(dialogs, owner, kind, DesktopSession::featuresOf(kind));
}

bool DesktopNotice::showOnce(Dialogs& dialogs, QWidget* owner, SessionKind kind,
                             const SessionFeatures& features)
{
    const QString notice = text(features);
    if (notice.isEmpty() || isTrue(settings_.value(seenKey(kind))))
        return false;
    dialogs.inform(owner, kTitle, notice);
    settings_.setValue(seenKey(kind), QStringLiteral("true"));
    return true;
}
