#include "ui/WindowFactories.h"

#include "ui/Program.h"
#include "ui/display/EnlargedWindow.h"
#include "ui/display/ToolStrip.h"
#include "ui/draw/DrawLauncher.h"
#include "ui/draw/NameListDraw.h"
#include "ui/draw/SequenceDraw.h"
#include "ui/draw/SlideDraw.h"
#include "ui/main/MainWindow.h"

ProgramWindow* createWindow(WindowKind kind, Program& program)
{
    // No default: a kind without a window here does not build.
    switch (kind) {
    case WindowKind::Main:
        return new MainWindow(program);
    case WindowKind::DrawLauncher:
        return new DrawLauncher(program);
    case WindowKind::ToolStrip:
        return new ToolStrip(program);
    case WindowKind::NameListDraw:
        return new NameListDraw(program);
    case WindowKind::SlideDraw:
        return new SlideDraw(program);
    case WindowKind::EnlargedCountdown:
        return new EnlargedWindow(program);
    case WindowKind::SequenceDraw:
        return new SequenceDraw(program);
    }
    return nullptr;
}

void registerWindows(Program& program)
{
    for (WindowKind kind : kWindowsInUnloadOrder)
        program.registerWindow(kind, [kind](Program& p) { return createWindow(kind, p); });
}
