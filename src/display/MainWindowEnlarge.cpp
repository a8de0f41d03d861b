// Double-click on the count display: the enlarged countdown.
#include "app/MainWindow.h"

void MainWindow::label3DoubleClick() {}
