#!/usr/bin/python3
# Writes what KWin shows on all its screens to a PNG file, through KWin's screenshot D-Bus interface.
# KWin answers only programs it trusts, or anyone when it was started with
# KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1 (the tests do that).
# Usage: kwin_screenshot.py <file.png>
import os
import subprocess
import sys

import dbus

# The pixel layouts of the QImage formats KWin sends, as ImageMagick names the bytes in memory.
QIMAGE_LAYOUTS = {4: "bgra", 5: "bgra", 6: "bgra", 17: "rgba", 18: "rgba"}

bus = dbus.SessionBus()
shots = dbus.Interface(bus.get_object("org.kde.KWin.ScreenShot2", "/org/kde/KWin/ScreenShot2"),
                       "org.kde.KWin.ScreenShot2")
read_end, write_end = os.pipe()
try:
    meta = shots.CaptureWorkspace(dbus.Dictionary({"native-resolution": True}, signature="sv"),
                                  dbus.types.UnixFd(write_end))
finally:
    os.close(write_end)
with os.fdopen(read_end, "rb") as pipe:
    data = pipe.read()

width, height, stride = int(meta["width"]), int(meta["height"]), int(meta["stride"])
layout = QIMAGE_LAYOUTS.get(int(meta["format"]))
if layout is None or len(data) < stride * height:
    sys.exit("KWin sent an image this script cannot read: %s, %d bytes" % (dict(meta), len(data)))
rows = b"".join(data[row * stride:row * stride + width * 4] for row in range(height))
subprocess.run(["convert", "-size", "%dx%d" % (width, height), "-depth", "8", layout + ":-",
                "-alpha", "off", sys.argv[1]], input=rows, check=True)
