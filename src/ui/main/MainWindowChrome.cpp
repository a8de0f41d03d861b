// The main window's pointer behaviours: drag by the body and passive controls, focus under the
// pointer, and the normal height back when the pointer passes over the window.
#include "ui/WindowChrome.h"
#include "ui/main/MainWindow.h"

void MainWindow::attachChrome()
{
    WindowChrome::attach(
        this,
        {objectName(), "Frame2", "Frame3", "Label1", "Label2", "Label3", "Label5", "Label6", "Label7",
         "Label8", "Label18", "Label22", "Label28", "Label29", "Label30", "Label31", "Option1", "Option2",
         "Option3"},
        {"Command1", "Command2", "Command3", "Command4", "Command5", "Command6", "Command7"});
    WindowChrome::attachHeightRestore(this,
                                      {objectName(), "Frame1", "Frame2", "Frame3", "Label1", "Label2",
                                       "Label30", "Image1", "Command1", "Command2", "Command3", "Command4",
                                       "Command5"},
                                      kNormalHeight);
}
