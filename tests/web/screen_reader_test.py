"""The page in a browser with a window (Firefox or Chromium) as a screen
reader meets it, with Orca listening: types both values, picks the units,
presses Calculate twice, then edits the frequency; then looks through the
browser's accessibility tree (AT-SPI), where a screen reader's browse mode
reads, for the old result.
Usage: screen_reader_test.py <site folder> firefox|chromium, on the display
and session bus of Orca's test (screen_reader_test.sh).
"""
import os
import sys
import time

import pyatspi

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from browsers import ENGINES, Page  # noqa: E402
from local_site import serve  # noqa: E402

RESULT = "Inductive Reactance = 37.7 ohms"
SPEAKING = 2  # seconds for Orca to speak what a step changed


def fail(message):
    print(f"FAIL: {message}", file=sys.stderr)
    sys.exit(1)


def walk(accessible):
    yield accessible
    for child in accessible:
        if child is not None:
            yield from walk(child)


def text_of(accessible):
    try:
        return accessible.queryText().getText(0, -1)
    except NotImplementedError:
        return ""


site, engine = sys.argv[1:3]
server = serve(site)
browser = ENGINES[engine](headless=False)
name = type(browser).__name__  # as the browser calls itself on the bus
try:
    page = Page(browser, f"http://127.0.0.1:{server.server_address[1]}/index.html")
    page.open()
    time.sleep(SPEAKING)  # the page's loading, spoken
    page.example()
    for _ in range(2):
        page.control("cmdCalc").click()
        time.sleep(SPEAKING)
    if page.result() != RESULT:
        fail(f"the page shows {page.result()!r}, not {RESULT!r}")
    page.control("txtFreq").send_keys("0")
    time.sleep(SPEAKING)

    heard = next((app for app in pyatspi.Registry.getDesktop(0) if app is not None and app.name == name), None)
    if heard is None:
        fail(f"{name} is not on the accessibility bus")
    stale = [(a.getRoleName(), a.name, text_of(a)) for a in walk(heard)
             if "Inductive Reactance" in (a.name or "") + text_of(a)]
    if stale:
        fail(f"after an edit a screen reader still finds the old result: {stale}")
finally:
    browser.quit()
    server.shutdown()
    server.server_close()
print(f"in {name}'s accessibility tree, no old result after an edit")
