// "抽签": from the main window to the draw launcher.
#include "app/MainWindow.h"

void MainWindow::command5Click() {}
