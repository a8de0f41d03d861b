#!/usr/bin/python3
"""Starts or ends the slide show of the deck open in a LibreOffice started with
--accept=pipe,name=PIPE;urp; — as a teacher's F5 and Esc would, where no key can be sent to it (a
native Wayland window). A show already in the asked state is left alone, so a caller may repeat the
call: the office's bridge can crash the client while the office is still busy opening the deck.

  office_show.py PIPE start|end
"""
import sys

import uno


def main(argv):
    if len(argv) != 3 or argv[2] not in ("start", "end"):
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    context = uno.getComponentContext()
    resolver = context.ServiceManager.createInstanceWithContext("com.sun.star.bridge.UnoUrlResolver", context)
    office = resolver.resolve(f"uno:pipe,name={argv[1]};urp;StarOffice.ComponentContext")
    desktop = office.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop", office)
    documents = desktop.getComponents().createEnumeration()
    while documents.hasMoreElements():
        document = documents.nextElement()
        if hasattr(document, "Presentation"):
            show = document.Presentation
            if show.isRunning() != (argv[2] == "start"):
                getattr(show, argv[2])()
            return
    print("no deck is open", file=sys.stderr)
    sys.exit(1)


if __name__ == "__main__":
    main(sys.argv)
