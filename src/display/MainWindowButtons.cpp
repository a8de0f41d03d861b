// The main window's help and exit buttons and its logo.
#include "app/MainWindow.h"
#include "app/Program.h"
#include "platform/Dialogs.h"
#include "platform/WindowSystem.h"

void MainWindow::command6Click() {}

void MainWindow::image1Click() {}

void MainWindow::command7Click()
{
    program().windows().showTaskbar();
    placeStandard();
    if (program().dialogs().askYesNo(this, QStringLiteral("Vantrel工具"), QStringLiteral("确实要退出Vantrel程序吗?")) !=
        Answer::Yes)
        return;
    for (FormId id : {FormId::Form5, FormId::Form6, FormId::Form7, FormId::Form8, FormId::Form4, FormId::Form3,
                      FormId::Form2, FormId::Form1})
        program().unload(id);
    program().quit(0);
}
