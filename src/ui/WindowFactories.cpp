#include "ui/WindowFactories.h"

#include "ui/Program.h"
#include "ui/display/EnlargedWindow.h"
#include "ui/display/ToolStrip.h"
#include "ui/draw/DrawLauncher.h"
#include "ui/draw/NameListDraw.h"
#include "ui/draw/SequenceDraw.h"
#include "ui/draw/SlideDraw.h"
#include "ui/main/MainWindow.h"

void registerWindows(Program& program)
{
    program.registerWindow(WindowKind::Main, [](Program& p) { return new MainWindow(p); });
    program.registerWindow(WindowKind::ToolStrip, [](Program& p) { return new ToolStrip(p); });
    program.registerWindow(WindowKind::SlideDraw, [](Program& p) { return new SlideDraw(p); });
    program.registerWindow(WindowKind::EnlargedCountdown, [](Program& p) { return new EnlargedWindow(p); });
    program.registerWindow(WindowKind::DrawLauncher, [](Program& p) { return new DrawLauncher(p); });
    program.registerWindow(WindowKind::SequenceDraw, [](Program& p) { return new SequenceDraw(p); });
    program.registerWindow(WindowKind::NameListDraw, [](Program& p) { return new NameListDraw(p); });
}
