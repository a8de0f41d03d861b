#include "ui/ZoomKeys.h"

#include "ui/ProgramWindow.h"

#include <QKeySequence>
#include <QShortcut>

namespace {
void bind(ProgramWindow* window, const QList<QKeySequence>& keys, void (ProgramWindow::*action)())
{
    for (const QKeySequence& key : keys) {
        auto* shortcut = new QShortcut(key, window);
        shortcut->setContext(Qt::WindowShortcut);
        QObject::connect(shortcut, &QShortcut::activated, window, action);
    }
}
} // namespace

void attachZoomKeys(ProgramWindow* window)
{
    // Ctrl+= is the plus key without Shift on most keyboards.
    bind(window,
         {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal),
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Equal)},
         &ProgramWindow::zoomIn);
    bind(window, {QKeySequence(Qt::CTRL | Qt::Key_Minus)}, &ProgramWindow::zoomOut);
    bind(window, {QKeySequence(Qt::CTRL | Qt::Key_0)}, &ProgramWindow::zoomReset);
}
