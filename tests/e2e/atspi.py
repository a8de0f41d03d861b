#!/usr/bin/python3
"""Reads and drives the running program through the accessibility bus (AT-SPI), as a screen reader
does: windows by title, controls by their accessible name (a button's or a label's text).

  atspi.py bus                       starts the accessibility bus: a program started before it
                                     is not on it
  atspi.py wait TITLE SECONDS        waits until a window whose title matches TITLE (a regular
                                     expression, after "alert:" or "frame:" for that kind of
                                     window only) is showing
  atspi.py buttons TITLE             prints the names of the window's push buttons, one a line
  atspi.py press TITLE BUTTON        presses the button named BUTTON in that window
  atspi.py set TITLE FIELD TEXT      types TEXT into the text field named FIELD
  atspi.py text TITLE FIELD          prints the text of the field (or label) named FIELD
  atspi.py centre TITLE NAME         prints the screen position "x y" of the centre of the control
                                     named NAME, for a click where the control cannot be pressed
  atspi.py labels TITLE              prints the texts of the window's labels, one a line
  atspi.py enabled TITLE NAME        prints "yes" when the control named NAME is enabled, "no"
                                     when it is greyed out
  atspi.py windows                   prints every application's top-level windows, whatever the
                                     application: "application<TAB>role<TAB>title", one a line

Exits with 1 and a message on stderr when the window or the control is not there.
"""
import re
import sys
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

APP = "vantrel"
# get_action_name's successor is not in Debian 12's bindings yet.
warnings.filterwarnings("ignore", category=DeprecationWarning)


def fail(message):
    print(message, file=sys.stderr)
    sys.exit(1)


def showing(node):
    try:
        return node.get_state_set().contains(Atspi.StateType.SHOWING)
    except Exception:
        return False


# A title may start with "alert:" (message boxes and questions) or "frame:" (ordinary windows): some
# message boxes carry the same title as the main window.
KINDS = {
    "alert": {Atspi.Role.ALERT, Atspi.Role.DIALOG},
    "frame": {Atspi.Role.FRAME, Atspi.Role.WINDOW, Atspi.Role.FILLER},
}


def windows(title):
    kind, _, pattern = title.partition(":")
    roles = KINDS.get(kind)
    if roles is None:
        pattern = title
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is None or app.get_name() != APP:
            continue
        for j in range(app.get_child_count()):
            window = app.get_child_at_index(j)
            if window is None or (roles and window.get_role() not in roles):
                continue
            if re.search(pattern, window.get_name() or "") and showing(window):
                yield window


def window(title):
    for found in windows(title):
        return found
    fail(f"no window titled {title!r}")


def descendants(node):
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is None:
            continue
        yield child
        yield from descendants(child)


def buttons(node):
    return [c for c in descendants(node) if c.get_role() == Atspi.Role.PUSH_BUTTON and showing(c)]


def named(node, name):
    for child in descendants(node):
        if child.get_name() == name and showing(child):
            return child
    fail(f"no control named {name!r} in {node.get_name()!r}")


def press(button):
    for i in range(button.get_n_actions()):
        if button.get_action_name(i) == "Press":
            button.do_action(i)
            return
    fail(f"{button.get_name()!r} cannot be pressed")


def all_windows():
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is None:
            continue
        for j in range(app.get_child_count()):
            window = app.get_child_at_index(j)
            if window is not None:
                yield app.get_name(), window.get_role_name(), window.get_name() or ""


def main(argv):
    if len(argv) == 2 and argv[1] == "bus":
        Atspi.get_desktop(0).get_child_count()
        return
    if len(argv) == 2 and argv[1] == "windows":
        for app, role, name in all_windows():
            print(f"{app}\t{role}\t{name}")
        return
    if len(argv) < 3:
        fail(__doc__)
    command, title = argv[1], argv[2]
    if command == "wait":
        deadline = time.monotonic() + float(argv[3])
        while time.monotonic() < deadline:
            if any(True for _ in windows(title)):
                return
            time.sleep(0.1)
        fail(f"no window titled {title!r} after {argv[3]} s")
    elif command == "buttons":
        for button in buttons(window(title)):
            print(button.get_name())
    elif command == "press":
        press(named(window(title), argv[3]))
    elif command == "set":
        field = named(window(title), argv[3])
        field.set_text_contents(argv[4])
    elif command == "centre":
        box = named(window(title), argv[3]).get_extents(Atspi.CoordType.SCREEN)
        print(box.x + box.width // 2, box.y + box.height // 2)
    elif command == "labels":
        for label in descendants(window(title)):
            if label.get_role() == Atspi.Role.LABEL and showing(label):
                print(label.get_name())
    elif command == "text":
        field = named(window(title), argv[3])
        if field.get_role() == Atspi.Role.LABEL:
            print(field.get_name())
        else:
            print(field.get_text(0, -1))
    elif command == "enabled":
        control = named(window(title), argv[3])
        print("yes" if control.get_state_set().contains(Atspi.StateType.ENABLED) else "no")
    else:
        fail(f"unknown command {command!r}")


if __name__ == "__main__":
    main(sys.argv)
