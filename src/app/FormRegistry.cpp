#include "app/FormRegistry.h"

#include "app/MainWindow.h"
#include "app/Program.h"
#include "display/EnlargedWindow.h"
#include "display/ToolStrip.h"
#include "draw/NotePlayer.h"
#include "draw/SlideDraw.h"
#include "draw/DrawLauncher.h"
#include "draw/NameListDraw.h"
#include "draw/SequenceDraw.h"

void registerForms(Program& program)
{
    program.registerForm(FormId::Form1, [](Program& p) { return new MainWindow(p); });
    program.registerForm(FormId::Form3, [](Program& p) { return new ToolStrip(p); });
    program.registerForm(FormId::Form5, [](Program& p) { return new SlideDraw(p); });
    program.registerForm(FormId::Form6, [](Program& p) { return new EnlargedWindow(p); });
    program.registerForm(FormId::Form8, [](Program& p) { return new NotePlayer(p); });
    program.registerForm(FormId::Form2, [](Program& p) { return new DrawLauncher(p); });
    program.registerForm(FormId::Form7, [](Program& p) { return new SequenceDraw(p); });
    program.registerForm(FormId::Form4, [](Program& p) { return new NameListDraw(p); });
}
