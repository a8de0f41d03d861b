#include "display/ProgramExit.h"

#include "app/Form.h"
#include "app/Program.h"
#include "platform/WindowSystem.h"

#include <QMetaObject>

void shutDownProgram(Program& program)
{
    if (program.hasQuit())
        return;
    // A taskbar hidden by a full-screen show comes back whatever happens next.
    program.windows().showTaskbar();
    ProgramState& s = program.state();
    if (s.NoteShowState == QStringLiteral("H") && program.isAvailable(FormId::Form8)) {
        if (Form* player = program.form(FormId::Form8))
            QMetaObject::invokeMethod(player, "closeNoteShow");
    }
    for (FormId id : {FormId::Form5, FormId::Form6, FormId::Form7, FormId::Form8, FormId::Form4,
                      FormId::Form3, FormId::Form2, FormId::Form1})
        program.unload(id);
    program.quit(0);
}
