#include "app/FormRegistry.h"

#include "app/MainWindow.h"
#include "app/Program.h"

void registerForms(Program& program)
{
    program.registerForm(FormId::Form1, [](Program& p) { return new MainWindow(p); });
}
