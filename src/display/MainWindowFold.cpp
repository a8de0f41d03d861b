// "缩小": folding the main window into the tool strip.
#include "app/MainWindow.h"

void MainWindow::command4Click() {}
