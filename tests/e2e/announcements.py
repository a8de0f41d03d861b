#!/usr/bin/python3
"""Listens on the accessibility bus as a screen reader does and prints what it would speak of the
program on its own: a notification that is shown (Qt before 6.8) or an announcement (Qt 6.8 on),
one line each, "<milliseconds since the epoch><TAB><text>", flushed at once.

  announcements.py           listens until it is ended; prints "listening" on stderr once it is
"""
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

APP = "vantrel"


def application_of(node):
    try:
        app = node.get_application()
        return app.get_name() if app is not None else ""
    except Exception:
        return ""


def heard(text):
    print(f"{int(time.time() * 1000)}\t{text}", flush=True)


def on_showing(event):
    if not event.detail1:
        return
    try:
        if event.source.get_role() != Atspi.Role.NOTIFICATION or application_of(event.source) != APP:
            return
        heard(event.source.get_name() or "")
    except Exception as error:  # the object may be gone already: say so, do not stop listening
        print(f"unreadable notification: {error}", file=sys.stderr, flush=True)


def on_announcement(event):
    if application_of(event.source) == APP:
        heard(str(event.any_data))


def main():
    showing = Atspi.EventListener.new(on_showing)
    showing.register("object:state-changed:showing")
    announcement = Atspi.EventListener.new(on_announcement)
    announcement.register("object:announcement")
    print("listening", file=sys.stderr, flush=True)
    Atspi.event_main()


if __name__ == "__main__":
    main()
