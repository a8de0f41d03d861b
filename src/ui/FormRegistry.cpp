#include "ui/FormRegistry.h"

#include "ui/Program.h"
#include "ui/display/EnlargedWindow.h"
#include "ui/display/ToolStrip.h"
#include "ui/draw/DrawLauncher.h"
#include "ui/draw/NameListDraw.h"
#include "ui/draw/SequenceDraw.h"
#include "ui/draw/SlideDraw.h"
#include "ui/main/MainWindow.h"

void registerForms(Program& program)
{
    program.registerForm(WindowKind::Main, [](Program& p) { return new MainWindow(p); });
    program.registerForm(WindowKind::ToolStrip, [](Program& p) { return new ToolStrip(p); });
    program.registerForm(WindowKind::SlideDraw, [](Program& p) { return new SlideDraw(p); });
    program.registerForm(WindowKind::EnlargedCountdown, [](Program& p) { return new EnlargedWindow(p); });
    program.registerForm(WindowKind::DrawLauncher, [](Program& p) { return new DrawLauncher(p); });
    program.registerForm(WindowKind::SequenceDraw, [](Program& p) { return new SequenceDraw(p); });
    program.registerForm(WindowKind::NameListDraw, [](Program& p) { return new NameListDraw(p); });
}
