#pragma once

#include <QKeySequence>
#include <functional>

class QAbstractButton;
class QWidget;

// A window used without a mouse: Tab moves between its controls as Qt orders them, Enter presses the
// focused button (or, from a box, the window's default button), Esc takes the window's way out, and
// Alt with a letter presses a button whatever its caption says, so that captions stay as they are.
namespace keyboard {

// Enter and Esc for the window (ProgramWindow attaches it to every window of ours).
void attach(QWidget* window);
// The button Enter presses from a control that is not a button (a time box, the count box).
void setDefaultButton(QWidget* window, QAbstractButton* button);
// What Esc does: the window's own way out (its end or quit button, closing it).
void setWayOut(QWidget* window, std::function<void()> leave);
// Alt+key presses the button while it is shown and enabled; its caption does not change.
void addAccessKey(QAbstractButton* button, Qt::Key key);

} // namespace keyboard
