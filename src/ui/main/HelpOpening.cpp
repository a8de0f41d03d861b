#include "ui/main/HelpOpening.h"

#include "platform/Dialogs.h"
#include "platform/files/HelpFiles.h"
#include "ui/display/HelpWindow.h"

#include <QCoreApplication>

void showHelpPage(QWidget& owner, QPointer<HelpWindow>& help, Dialogs& dialogs,
                  const QStringList& shippedFolders, const QString& dataFolder, const QString& title,
                  const QString& anchor)
{
    const QString index = findHelpIndex(shippedFolders);
    if (index.isEmpty()) {
        dialogs.inform(
            &owner, title,
            QCoreApplication::translate(
                "HelpOpening", "没有找到帮助文件（%1）。\n请重新安装Vantrel，帮助文件随程序一起安装。")
                .arg(kHelpIndex));
        return;
    }
    if (!help)
        help = new HelpWindow(&owner);
    help->offerDataFolder(dataFolder, dialogs);
    help->showPage(index, anchor);
}
