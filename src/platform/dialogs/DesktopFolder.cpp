#include "platform/dialogs/DesktopFolder.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QUrl>

namespace {

std::function<bool(const QString&)>& replacement()
{
    static std::function<bool(const QString&)> show;
    return show;
}

} // namespace

bool desktopfolder::show(const QString& folder)
{
    if (replacement())
        return replacement()(folder);
    // A folder URL goes to the desktop's file manager (xdg-open on X11, the portal where there is one).
    return QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

QString desktopfolder::cannotShow(const QString& folder)
{
    return QCoreApplication::translate("DesktopFolder", "无法打开文件夹，请在文件管理器中打开：\n%1")
        .arg(QDir::toNativeSeparators(folder));
}

void desktopfolder::setShowForTesting(std::function<bool(const QString&)> show)
{
    replacement() = std::move(show);
}
