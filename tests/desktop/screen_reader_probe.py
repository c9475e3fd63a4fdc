#!/usr/bin/python3
"""What a screen reader learns from the program over the accessibility bus (AT-SPI).

usage: screen_reader_probe.py controls TITLE_REGEX
           prints "role<TAB>name" for every control of the program's window with that title that a
           user can focus or act on; status 1 when the window is not on the bus.
       screen_reader_probe.py notices SECONDS
           prints the name of every notification the program shows within SECONDS (what a screen
           reader speaks as it appears), one per line, as it comes.
"""
import re
import sys
import threading

import pyatspi

APP = "halducnv"


def program():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == APP:
            return app
    return None


def actionable(node):
    states = node.getState()
    if states.contains(pyatspi.STATE_FOCUSABLE):
        return True
    try:
        return node.queryAction().nActions > 0
    except NotImplementedError:
        return False


def controls(title):
    app = program()
    windows = [app.getChildAtIndex(i) for i in range(app.childCount)] if app else []
    window = next((w for w in windows if w is not None and re.search(title, w.name or "")), None)
    if window is None:
        return 1

    def walk(node):
        # List items are the list's rows, not controls of their own.
        if node.getRole() != pyatspi.ROLE_LIST_ITEM and actionable(node):
            print("%s\t%s" % (node.getRoleName(), node.name or ""))
        for i in range(node.childCount):
            child = node.getChildAtIndex(i)
            if child is not None:
                walk(child)

    walk(window)
    return 0


def notices(seconds):
    def shown(event):
        if event.detail1 and event.source.getRole() == pyatspi.ROLE_NOTIFICATION:
            # Read afresh: a notification says something new each time it appears.
            event.source.clearCache()
            print(event.source.name, flush=True)

    pyatspi.Registry.registerEventListener(shown, "object:state-changed:showing")
    threading.Timer(seconds, pyatspi.Registry.stop).start()
    pyatspi.Registry.start()
    return 0


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "controls":
        sys.exit(controls(sys.argv[2]))
    if len(sys.argv) == 3 and sys.argv[1] == "notices":
        sys.exit(notices(float(sys.argv[2])))
    sys.exit(__doc__)
