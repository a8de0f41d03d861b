#!/usr/bin/python3
"""Drives the page of a running headless Chromium over its DevTools protocol, as a person on a phone
would use it: opens an address, reads and clicks the page, takes a picture of it.

  cdp.py PROFILE open URL            loads the address in the browser's page and waits for it
  cdp.py PROFILE eval EXPRESSION     prints the value of a JavaScript expression on the page
  cdp.py PROFILE click SELECTOR      clicks the element (a button) the CSS selector finds
  cdp.py PROFILE shot FILE W H       a PNG picture of the page at a viewport of W x H pixels

PROFILE is the browser's --user-data-dir: the port of its DevTools protocol is written there.
Exits with 1 and a message on stderr when the browser or the element is not there.
"""
import base64
import json
import sys
import urllib.request

import websocket


def fail(message):
    print(message, file=sys.stderr)
    sys.exit(1)


class Page:
    def __init__(self, profile):
        try:
            port = open(profile + "/DevToolsActivePort").read().split()[0]
            targets = json.load(urllib.request.urlopen("http://127.0.0.1:%s/json/list" % port, timeout=5))
        except (OSError, IndexError, ValueError) as error:
            fail("no browser: %s" % error)
        pages = [t for t in targets if t.get("type") == "page"]
        if not pages:
            fail("the browser has no page")
        self.socket = websocket.create_connection(pages[0]["webSocketDebuggerUrl"], timeout=20,
                                                  suppress_origin=True)
        self.last = 0

    def call(self, method, **params):
        self.last += 1
        self.socket.send(json.dumps({"id": self.last, "method": method, "params": params}))
        while True:
            answer = json.loads(self.socket.recv())
            if answer.get("id") == self.last:
                if "error" in answer:
                    fail("%s: %s" % (method, answer["error"].get("message")))
                return answer.get("result", {})

    def evaluate(self, expression):
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True, awaitPromise=True)
        if "exceptionDetails" in result:
            fail("the page failed: %s" % result["exceptionDetails"].get("text"))
        return result.get("result", {}).get("value")


def main():
    if len(sys.argv) < 3:
        fail(__doc__)
    page = Page(sys.argv[1])
    command, args = sys.argv[2], sys.argv[3:]
    if command == "open":
        page.call("Page.navigate", url=args[0])
        for _ in range(100):
            if page.evaluate("document.readyState") == "complete":
                return
            page.evaluate("new Promise(r => setTimeout(r, 100))")
        fail("the page did not load")
    elif command == "eval":
        value = page.evaluate(args[0])
        print(value if isinstance(value, str) else json.dumps(value, ensure_ascii=False))
    elif command == "click":
        clicked = page.evaluate("(() => { const e = document.querySelector(%s);"
                                " if (!e || e.disabled) return false; e.click(); return true; })()"
                                % json.dumps(args[0]))
        if not clicked:
            fail("nothing to click at %s" % args[0])
    elif command == "shot":
        width, height = int(args[1]), int(args[2])
        page.call("Emulation.setDeviceMetricsOverride", width=width, height=height, deviceScaleFactor=1,
                  mobile=True)
        data = page.call("Page.captureScreenshot", format="png")["data"]
        with open(args[0], "wb") as file:
            file.write(base64.b64decode(data))
    else:
        fail("unknown command %s" % command)


main()
