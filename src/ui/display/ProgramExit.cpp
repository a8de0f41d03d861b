#include "ui/display/ProgramExit.h"

#include "platform/WindowSystem.h"
#include "ui/Form.h"
#include "ui/Program.h"

void shutDownProgram(Program& program)
{
    if (program.hasQuit())
        return;
    // A taskbar hidden by a full-screen show comes back whatever happens next.
    program.windows().showTaskbar();
    if (program.instructionShow().isOpen())
        program.instructionShow().close();
    for (WindowKind id : {WindowKind::SlideDraw, WindowKind::EnlargedCountdown, WindowKind::SequenceDraw,
                          WindowKind::InstructionPlayer, WindowKind::NameListDraw, WindowKind::ToolStrip,
                          WindowKind::DrawLauncher, WindowKind::Main})
        program.unload(id);
    program.quit(0);
}
