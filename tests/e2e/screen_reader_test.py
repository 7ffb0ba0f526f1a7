"""The program as a screen reader sees and drives it, through AT-SPI only.

Checks the tree (roles and spoken names), types both values, picks the
units, presses Calculate twice, reads the result, and sees each result
announced on the bus: as an announcement (Qt 6.8 and later), or, where Qt
has none, as the result label, a notification, shown again. Roles are
compared as AT-SPI's numbers: their names differ between its versions
("push button", later "button").
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
tree = {(a.getRole(), a.name): a for a in walk(app)}
RESULT_ROLES = (pyatspi.ROLE_LABEL, pyatspi.ROLE_NOTIFICATION)
result_role = next((role for role, name in tree if role in RESULT_ROLES), None)
expected = [
    (pyatspi.ROLE_FRAME, "Reactance of Inductor"),
    (pyatspi.ROLE_PANEL, "Frequency"), (pyatspi.ROLE_TEXT, "Frequency"),
    (pyatspi.ROLE_RADIO_BUTTON, "hertz"), (pyatspi.ROLE_RADIO_BUTTON, "kilohertz"),
    (pyatspi.ROLE_RADIO_BUTTON, "megahertz"),
    (pyatspi.ROLE_PANEL, "Inductance"), (pyatspi.ROLE_TEXT, "Inductance"),
    (pyatspi.ROLE_RADIO_BUTTON, "millihenries"), (pyatspi.ROLE_RADIO_BUTTON, "microhenries"),
    (result_role, ""),  # the empty result, read as nothing else
    (pyatspi.ROLE_PUSH_BUTTON, "Calculate"),
]
missing = [entry for entry in expected if entry not in tree]
if missing:
    fail(f"not in the tree: {missing}; the tree: {sorted(tree)}")

announced = []


def on_announcement(event):
    announced.append(event.any_data)


def on_showing(event):
    if event.detail1 == 1 and event.source.getRole() == pyatspi.ROLE_NOTIFICATION:
        announced.append(event.source.name)


pyatspi.Registry.registerEventListener(on_announcement, "object:announcement")
pyatspi.Registry.registerEventListener(on_showing, "object:state-changed:showing")


def act():
    tree[(pyatspi.ROLE_TEXT, "Frequency")].queryEditableText().setTextContents("60")
    tree[(pyatspi.ROLE_TEXT, "Inductance")].queryEditableText().setTextContents("100")
    for unit in ("hertz", "millihenries"):
        tree[(pyatspi.ROLE_RADIO_BUTTON, unit)].queryAction().doAction(0)
    calculate = tree[(pyatspi.ROLE_PUSH_BUTTON, "Calculate")].queryAction()
    calculate.doAction(0)
    time.sleep(1.5)  # a screen reader speaks the first before the second
    calculate.doAction(0)
    GLib.timeout_add(1500, pyatspi.Registry.stop)
    return False


GLib.idle_add(act)
pyatspi.Registry.start()

label = next(a for a in walk(app) if a.getRole() == result_role)
if label.name != RESULT:
    fail(f"the result reads {label.name!r}, not {RESULT!r}")
if announced != [RESULT, RESULT]:
    fail(f"announced {announced}, not the result twice")
print(f"tree, names and result read through AT-SPI; {RESULT!r} announced after each Calculate")
