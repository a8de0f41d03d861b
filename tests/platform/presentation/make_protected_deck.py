#!/usr/bin/python3
# Writes a copy of a deck that opens only with a password (ODF encryption), through a headless office
# of its own with a private profile.
#   make_protected_deck.py <office binary> <source deck> <target> <work folder>
import os
import subprocess
import sys
import time

import uno
from com.sun.star.beans import PropertyValue


def prop(name, value):
    p = PropertyValue()
    p.Name = name
    p.Value = value
    return p


office, source, target, work = sys.argv[1:5]
pipe = "vantrel_test_%d" % os.getpid()
command = [office, "-env:UserInstallation=" + uno.systemPathToFileUrl(os.path.join(work, "profile")),
           "--headless", "--invisible", "--norestore", "--nologo", "--nodefault",
           "--accept=pipe,name=%s;urp;" % pipe]
proc = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
try:
    local = uno.getComponentContext()
    resolver = local.ServiceManager.createInstanceWithContext("com.sun.star.bridge.UnoUrlResolver", local)
    context = None
    for _ in range(600):
        try:
            context = resolver.resolve("uno:pipe,name=%s;urp;StarOffice.ComponentContext" % pipe)
            break
        except Exception:
            # The office starts again once after it made its profile.
            if proc.poll() is not None:
                proc = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            time.sleep(0.1)
    desktop = context.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop", context)
    document = desktop.loadComponentFromURL(uno.systemPathToFileUrl(source), "_blank", 0, (prop("Hidden", True),))
    document.storeToURL(uno.systemPathToFileUrl(target), (prop("FilterName", "impress8"), prop("Password", "secret")))
    document.close(True)
    try:
        desktop.terminate()
    except Exception:
        pass
finally:
    try:
        proc.wait(10)
    except Exception:
        proc.kill()
        proc.wait()
sys.exit(0 if os.path.exists(target) else 1)
