"""The program as a screen reader sees and drives it, through AT-SPI only.

Checks the tree (roles and spoken names), types both values, picks the
units, presses Calculate twice, reads the result, and sees each result
announced on the bus: the result label, a notification, is shown again.
Run with the program started on the same X display and session bus.
"""
import sys
import time

import pyatspi
from gi.repository import GLib

RESULT = "Inductive Reactance = 37.7 ohms"


def fail(message):
    print(f"FAIL: {message}", file=sys.stderr)
    sys.exit(1)


def application():
    for _ in range(100):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "velmora":
                return app
        time.sleep(0.1)
    fail("no application named velmora on the accessibility bus")


def walk(accessible):
    yield accessible
    for child in accessible:
        yield from walk(child)


app = application()
tree = {(a.getRoleName(), a.name): a for a in walk(app)}
expected = [
    ("frame", "Reactance of Inductor"),
    ("panel", "Frequency"), ("text", "Frequency"),
    ("radio button", "hertz"), ("radio button", "kilohertz"), ("radio button", "megahertz"),
    ("panel", "Inductance"), ("text", "Inductance"),
    ("radio button", "millihenries"), ("radio button", "microhenries"),
    ("notification", ""),  # the empty result, read as nothing else
    ("push button", "Calculate"),
]
missing = [entry for entry in expected if entry not in tree]
if missing:
    fail(f"not in the tree: {missing}; the tree: {sorted(tree)}")

announced = []


def on_showing(event):
    if event.detail1 == 1 and event.source.getRoleName() == "notification":
        announced.append(event.source.name)


pyatspi.Registry.registerEventListener(on_showing, "object:state-changed:showing")


def act():
    tree[("text", "Frequency")].queryEditableText().setTextContents("60")
    tree[("text", "Inductance")].queryEditableText().setTextContents("100")
    for unit in ("hertz", "millihenries"):
        tree[("radio button", unit)].queryAction().doAction(0)
    calculate = tree[("push button", "Calculate")].queryAction()
    calculate.doAction(0)
    time.sleep(1.5)  # a screen reader speaks the first before the second
    calculate.doAction(0)
    GLib.timeout_add(1500, pyatspi.Registry.stop)
    return False


GLib.idle_add(act)
pyatspi.Registry.start()

label = next(a for a in walk(app) if a.getRoleName() == "notification")
if label.name != RESULT:
    fail(f"the result reads {label.name!r}, not {RESULT!r}")
if announced != [RESULT, RESULT]:
    fail(f"announced {announced}, not the result twice")
print(f"tree, names and result read through AT-SPI; {RESULT!r} announced after each Calculate")
