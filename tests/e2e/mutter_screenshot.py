#!/usr/bin/python3
# Writes one frame of mutter's screen to a PNG file, through mutter's screen-cast D-Bus interface and
# PipeWire (headless mutter offers no other way to see what it shows).
# Usage: mutter_screenshot.py <file.png>
import subprocess
import sys

import dbus
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
name = "org.gnome.Mutter.ScreenCast"
cast = dbus.Interface(bus.get_object(name, "/org/gnome/Mutter/ScreenCast"), name)
session_path = cast.CreateSession(dbus.Dictionary({}, signature="sv"))
session = dbus.Interface(bus.get_object(name, session_path), name + ".Session")
stream_path = session.RecordMonitor("", dbus.Dictionary({}, signature="sv"))

loop = GLib.MainLoop()
node = {}


def stream_added(node_id):
    node["id"] = int(node_id)
    loop.quit()


bus.add_signal_receiver(stream_added, signal_name="PipeWireStreamAdded",
                        dbus_interface=name + ".Stream", path=stream_path)
session.Start()
GLib.timeout_add_seconds(10, loop.quit)
loop.run()
if "id" not in node:
    session.Stop()
    sys.exit("mutter offered no screen stream")
try:
    result = subprocess.run(["gst-launch-1.0", "-q", "pipewiresrc", "path=%d" % node["id"], "num-buffers=2", "!",
                             "videoconvert", "!", "pngenc", "snapshot=true", "!", "filesink",
                             "location=" + sys.argv[1]], timeout=20)
    code = result.returncode
except subprocess.TimeoutExpired:
    code = 1
session.Stop()
sys.exit(code)
