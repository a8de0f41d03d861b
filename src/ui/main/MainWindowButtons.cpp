// The main window's help and exit buttons, its logo and its bell in the tray.
#include "platform/Dialogs.h"
#include "platform/HelpFiles.h"
#include "platform/Timer.h"
#include "platform/WindowSystem.h"
#include "ui/Program.h"
#include "ui/display/Tray.h"
#include "ui/main/MainWindow.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

void MainWindow::command6Click()
{
    // The taller layout while the help is open; the pointer over the window brings the normal height back.
    setHeightTwips(kHelpHeight);
    program().timers().yieldToEvents();

    const QString index = findHelpIndex(program().shippedFolders());
    if (index.isEmpty()) {
        program().dialogs().inform(
            this, kNoticeTitle,
            QStringLiteral("没有找到帮助文件（%1）。\n请重新安装Vantrel，帮助文件随程序一起安装。")
                .arg(kHelpIndex));
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(index)))
        program().dialogs().inform(
            this, kNoticeTitle,
            QStringLiteral("无法打开帮助文件，请用浏览器打开：\n%1").arg(QDir::toNativeSeparators(index)));
}

void MainWindow::image1Click()
{
    if (!QDesktopServices::openUrl(QUrl(projectPage())))
        program().dialogs().inform(this, kNoticeTitle,
                                   QStringLiteral("无法打开网页，请用浏览器访问：\n%1").arg(projectPage()));
}

void MainWindow::command7Click()
{
    // On X11 no taskbar is hidden by our shows (they cover the panels instead); the call is kept for
    // desktops where it matters and costs nothing.
    program().windows().showTaskbar();
    placeStandard();
    if (program().dialogs().askYesNo(this, QStringLiteral("Vantrel工具"),
                                     QStringLiteral("确实要退出Vantrel程序吗?")) != Answer::Yes)
        return;
    program().shutdown();
}

void MainWindow::createTray()
{
    Tray::create(*this);
}
