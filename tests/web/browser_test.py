"""The web build in a real browser, driven as a person drives the page.

Serves the site folder on 127.0.0.1 and opens it in one browser engine
(tests/support/browsers.py: Chromium, Firefox or WebKit): keys, regional
conventions from the browser's language, the fault dialog, the emptied
result, the window's place in viewports of a desktop and of a phone, and,
in Chromium, the site as an app: installable, locked down to its own files,
and working offline. Where an engine lacks what a row needs, the row says
so as skipped.
Usage: browser_test.py <site folder> [chromium|firefox|webkit]
"""
import gzip
import json
import os
import pathlib
import re
import shutil
import sys
import tempfile
import threading
import urllib.parse
import unittest

from selenium.common.exceptions import TimeoutException
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from browsers import ACCESSIBLE_NAMES, ENGINES, FORCED_COLOURS, INSTALLING, KEY_ACTIVATION, Page  # noqa: E402
from local_site import serve  # noqa: E402

SITE = sys.argv.pop(1)
ENGINE = sys.argv.pop(1) if len(sys.argv) > 1 and sys.argv[1] in ENGINES else "chromium"
TITLE = "Reactance of Inductor"
# axe-core, the accessibility rules inside Lighthouse (tests/web/npm).
AXE = os.environ.get("VELMORA_AXE_CORE", "")
# Each element of the window whose box differs from where the stylesheet
# alone, without the module's placing, puts it.
MOVED_BY_THE_MODULE = """
var window_ = document.querySelector('main'), placed = [window_.style.left, window_.style.top];
function boxes() {
    return Array.from(document.querySelectorAll('main, main [id]'), function(element) {
        var box = element.getBoundingClientRect();
        return [element.id, box.left, box.top, box.width, box.height].join(' ');
    });
}
var moved = boxes();
window_.style.left = window_.style.top = '';
var drawn = boxes();
window_.style.left = placed[0];
window_.style.top = placed[1];
return moved.filter(function(box, i) { return box !== drawn[i]; });
"""


class WebTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.server = serve(SITE)
        cls.address = f"http://127.0.0.1:{cls.server.server_address[1]}/index.html"
        cls.browser = ENGINES[ENGINE]()
        cls.driver = cls.browser.driver
        cls.page = Page(cls.browser, cls.address)

    @classmethod
    def tearDownClass(cls):
        cls.browser.quit()
        cls.server.shutdown()
        cls.server.server_close()

    def test_opens_as_the_window_loads(self):
        self.page.open()
        self.assertEqual(self.driver.title, TITLE)
        self.assertEqual(self.page.control("frmVelmoraTitle").text, TITLE)
        self.assertTrue(self.page.radio("optMHz").is_selected())
        self.assertTrue(self.page.radio("optuH").is_selected())
        self.assertEqual(self.page.result(), "")
        self.assertEqual(self.page.focused(), "txtFreq")

    def test_screen_readers_hear_names_and_every_result(self):
        rows = [
            # element, name a screen reader gives it
            (("txtFreq",), "Frequency"), (("txtL",), "Inductance"),
            (("optHz", "input"), "hertz"), (("optKHz", "input"), "kilohertz"), (("optMHz", "input"), "megahertz"),
            (("optmH", "input"), "millihenries"), (("optuH", "input"), "microhenries"),
            (("Frame1",), "Frequency"), (("Frame2",), "Inductance"), (("cmdCalc",), "Calculate"),
        ]
        self.page.open()
        for (name, *inner), spoken in rows:
            with self.subTest(name):
                if self.browser.lacks(ACCESSIBLE_NAMES):
                    self.skipTest(self.browser.lacks(ACCESSIBLE_NAMES))
                element = self.page.control(name)
                if inner:
                    element = element.find_element(By.TAG_NAME, inner[0])
                self.assertEqual(element.accessible_name, spoken)
        spoken = self.page.control("frmVelmoraSpoken")
        self.assertEqual(spoken.get_attribute("aria-live"), "polite")
        self.page.example()
        heard = []
        for _ in range(2):
            self.page.control("cmdCalc").click()
            heard.append(spoken.get_attribute("textContent"))
        self.assertEqual([text.strip() for text in heard], ["Inductive Reactance = 37.7 ohms"] * 2)
        self.assertNotEqual(heard[0], heard[1], "the same line again must change the live region")
        # In Windows High Contrast the result takes the system's text colour.
        with self.subTest("forced colours"):
            if self.browser.lacks(FORCED_COLOURS):
                self.skipTest(self.browser.lacks(FORCED_COLOURS))
            self.browser.forced_colours(True)
            try:
                self.assertNotEqual(self.page.result_colour(), "rgb(255, 0, 0)")
            finally:
                self.browser.forced_colours(False)

    def test_accessibility_audit_finds_nothing(self):
        rows = [
            # name, what is done before the audit, rules left out
            ("as it opens", lambda page: None, []),
            # The result's pure red, the window's own look, has a contrast of
            # 3.6 to 1 on the window's face.
            ("with a result", lambda page: (page.example(), page.control("cmdCalc").click()), ["color-contrast"]),
            ("with the fault dialog",
             lambda page: (page.example(frequency="1e999"), page.control("cmdCalc").click()), []),
        ]
        with open(AXE, encoding="utf-8") as file:
            axe = file.read()
        for name, before, left_out in rows:
            with self.subTest(name):
                self.page.open()
                before(self.page)
                self.driver.execute_script(axe)
                violations = self.driver.execute_script(
                    "var rules = {}; arguments[0].split(' ').filter(Boolean).forEach(function(rule) {"
                    "  rules[rule] = {enabled: false}; });"
                    "return axe.run(document, {rules: rules}).then(function(found) {"
                    "  return found.violations.map(function(rule) {"
                    "    return rule.id + ': ' + rule.nodes.map(function(node) { return node.target; }).join(', '); }); })",
                    " ".join(left_out))
                self.assertEqual(violations, [])

    def test_keys(self):
        rows = [
            # name, keys after typing 60 and 100 with Hz and mH, focus then, result then
            ("tab from frequency to inductance", [], "txtL", ""),
            ("enter in a text box calculates", [Keys.ENTER], "txtL", "Inductive Reactance = 37.7 ohms"),
            ("tab reaches the frequency group's selected unit", [Keys.TAB], "optHz", ""),
            ("arrows move within a group and empty the result",
             [Keys.TAB, Keys.ENTER, Keys.ARROW_DOWN], "optKHz", ""),
            ("enter on a unit button calculates", [Keys.TAB, Keys.ARROW_DOWN, Keys.ENTER], "optKHz",
             "Inductive Reactance = 37699.11 ohms"),
            ("space on the button calculates", [Keys.TAB, Keys.TAB, Keys.TAB, Keys.SPACE], "cmdCalc",
             "Inductive Reactance = 37.7 ohms"),
        ]
        for name, keys, focus, result in rows:
            with self.subTest(name):
                if name.startswith("space on the button") and self.browser.lacks(KEY_ACTIVATION):
                    self.skipTest(self.browser.lacks(KEY_ACTIVATION))
                self.page.open()
                self.page.keys("60")
                self.page.radio("optHz").click()
                self.page.control("txtFreq").click()
                self.page.keys(Keys.TAB, "100")
                self.page.radio("optmH").click()
                self.page.control("txtL").click()
                if keys:
                    self.page.keys(*keys)
                self.assertEqual(self.page.focused(), focus)
                self.assertEqual(self.page.result(), result)

    def test_every_edit_and_unit_change_empties_the_result(self):
        rows = [
            ("typing in frequency", lambda page: page.control("txtFreq").send_keys("0")),
            ("deleting in inductance", lambda page: page.control("txtL").send_keys(Keys.BACKSPACE)),
            ("clicking KHz", lambda page: page.radio("optKHz").click()),
            ("clicking uH", lambda page: page.radio("optuH").click()),
        ]
        for name, edit in rows:
            with self.subTest(name):
                self.page.open()
                self.page.example()
                self.page.control("cmdCalc").click()
                self.assertEqual(self.page.result(), "Inductive Reactance = 37.7 ohms")
                self.assertEqual(self.page.result_colour(), "rgb(255, 0, 0)")
                edit(self.page)
                self.assertEqual(self.page.result(), "")
                # Nor may a screen reader's browse mode find the old result.
                self.assertEqual(self.page.control("frmVelmoraSpoken").get_attribute("textContent"), "")

    def test_overflow_shows_a_dialog_and_leaves_everything(self):
        self.page.open()
        self.page.example(frequency="1e999")
        self.page.control("txtFreq").send_keys(Keys.ENTER)
        dialog = self.page.control("frmVelmoraFault")
        self.assertTrue(dialog.is_displayed())
        self.assertEqual(dialog.get_attribute("role"), "alertdialog")
        self.assertEqual(self.page.control("frmVelmoraFaultText").text, "Overflow")
        dialog.find_element(By.TAG_NAME, "button").click()
        self.assertFalse(dialog.is_displayed())
        self.assertEqual(self.page.focused(), "txtFreq")
        self.assertEqual(self.page.control("txtFreq").get_attribute("value"), "1e999")
        self.assertEqual(self.page.control("txtL").get_attribute("value"), "100")
        self.assertEqual(self.page.result(), "")

    def test_window_centred_and_whole_in_the_viewport(self):
        rows = [
            # name, viewport, laid out to fill the width, its text's size (CSS pixels, at least and at
            # most), viewport it was opened in
            ("desktop", (1280, 720), False, (11, 11), None),
            ("small laptop", (800, 600), False, (11, 11), None),
            ("phone upright", (360, 640), True, (12, 99), None),
            ("phone on its side", (640, 360), False, (11, 11), None),
            ("smallest phone", (320, 480), True, (12, 99), None),
            ("phone turned upright", (360, 640), True, (12, 99), (640, 360)),
            ("browser made too small for it", (250, 300), False, (1, 10), (1280, 720)),
        ]

        def box():
            return self.driver.execute_script(
                "var r = document.getElementById('frmVelmora').getBoundingClientRect();"
                "return [r.left, r.top, r.width, r.height, document.documentElement.scrollWidth,"
                " document.documentElement.scrollHeight]")

        for name, (width, height), fills_width, (least_text, most_text), opened_in in rows:
            with self.subTest(name):
                if opened_in:
                    self.page.open(*opened_in)
                    before = box()
                    self.page.browser.resize(width, height)
                    # The browser tells the page of its new size in its own
                    # time, after the stylesheet has laid the window out at
                    # it: wait for the window itself to move.
                    try:
                        WebDriverWait(self.driver, 5).until(lambda driver: box()[0] != before[0])
                    except TimeoutException:
                        pass
                else:
                    self.page.open(width, height)
                left, top, outer_width, outer_height, scroll_width, scroll_height = box()
                self.assertLessEqual(abs(2 * left + outer_width - width), 2)
                self.assertLessEqual(abs(2 * top + outer_height - height), 2)
                self.assertGreaterEqual(left, -0.5)
                self.assertGreaterEqual(top, -0.5)
                self.assertLessEqual((scroll_width, scroll_height), (width, height))
                if fills_width:
                    self.assertGreaterEqual(outer_width, width - 1)
                # Laid out at that size, not magnified: what text-size settings and checkers read.
                text, transform = self.driver.execute_script(
                    "return [parseFloat(getComputedStyle(document.getElementById('txtFreq')).fontSize),"
                    " getComputedStyle(document.getElementById('frmVelmora')).transform]")
                self.assertEqual(transform, "none")
                self.assertTrue(least_text <= text <= most_text, text)
                # The page drew it there before the module centred it: nothing moved.
                self.assertEqual(self.driver.execute_script(MOVED_BY_THE_MODULE), [])

    def test_what_is_done_before_the_module_is_ready_stays(self):
        # The window comes with the page: what is typed and chosen before the
        # module has come stays and counts; Calculate cannot be pressed until then.
        browser = ENGINES[ENGINE](waits=False)
        self.server.held["velmora.js"] = held = threading.Event()
        try:
            page = Page(browser, self.address)
            browser.driver.execute_script("location.href = arguments[0]", self.address)
            WebDriverWait(browser.driver, 20).until(lambda driver: driver.execute_script(
                "return document.readyState !== 'loading' && !!document.getElementById('cmdCalc')"))
            # Autofocus lands at the browser's next rendering update, not with the parse.
            WebDriverWait(browser.driver, 10).until(
                lambda driver: page.focused() == "txtFreq",
                "the first box is not focused before the module has come")
            page.example()
            self.assertTrue(browser.driver.execute_script("return document.getElementById('cmdCalc').disabled"))
            held.set()
            page.wait_for_module()
            self.assertEqual(browser.driver.execute_script(MOVED_BY_THE_MODULE), [])
            # Chromium alone reports layout shifts, as Lighthouse counts them.
            shifts = browser.driver.execute_script(
                "if (!PerformanceObserver.supportedEntryTypes.includes('layout-shift')) return null;"
                "return new Promise(function(done) { new PerformanceObserver(function(found) {"
                "  done(found.getEntries().length); }).observe({type: 'layout-shift', buffered: true});"
                "  setTimeout(function() { done(0); }, 500); });")
            self.assertIn(shifts, (0, None))
            self.assertEqual(page.result(), "")
            page.control("cmdCalc").click()
            self.assertEqual(page.result(), "Inductive Reactance = 37.7 ohms")
        finally:
            held.set()
            del self.server.held["velmora.js"]
            browser.quit()


class RegionalTest(unittest.TestCase):
    """The result's conventions follow the browser's preferred language."""

    def test_result_per_language(self):
        rows = [
            # language, frequency, unit, inductance, unit, shown number
            ("de-DE", "60", "optHz", "100", "optmH", "37,7"),
            ("fr-FR", "60", "optHz", "100", "optmH", "37,7"),
            # read back through "62 831 853,00" with narrow no-break spaces
            ("fr-FR", "100", "optMHz", "100", "optmH", "62831853"),
            # and through "6,28,31,853.00"
            ("en-IN", "100", "optMHz", "100", "optmH", "62831853"),
            ("en-IN", "50", "optHz", "100", "optmH", "31.42"),
            # a language the browser cannot format: the C conventions
            ("qaa", "60", "optHz", "100", "optmH", "37.7"),
        ]
        server = serve(SITE)
        address = f"http://127.0.0.1:{server.server_address[1]}/index.html"
        try:
            for language, frequency, frequency_unit, inductance, inductance_unit, shown in rows:
                with self.subTest(f"{language} {frequency} {frequency_unit}"):
                    browser = ENGINES[ENGINE](language)
                    try:
                        page = Page(browser, address)
                        page.open()
                        page.control("txtFreq").send_keys(frequency)
                        page.radio(frequency_unit).click()
                        page.control("txtL").send_keys(inductance)
                        page.radio(inductance_unit).click()
                        page.control("cmdCalc").click()
                        self.assertEqual(page.result(), f"Inductive Reactance = {shown} ohms")
                    finally:
                        browser.quit()
        finally:
            server.shutdown()
            server.server_close()


class AppTest(unittest.TestCase):
    """The site as an app, from a first visit in a new browser profile, served
    from a copy of the site that a test may publish a new build into."""

    def setUp(self):
        # Read through Chromium's DevTools: installability, and the network
        # log and console.
        if ENGINE != "chromium":
            self.skipTest(f"{ENGINES[ENGINE].LACKS[INSTALLING]}, and these checks read Chromium's DevTools")
        self.folder = pathlib.Path(tempfile.mkdtemp())
        shutil.copytree(SITE, self.folder, dirs_exist_ok=True)
        self.server = serve(self.folder)
        self.origin = f"http://127.0.0.1:{self.server.server_address[1]}"
        self.browser = ENGINES[ENGINE]()
        self.driver = self.browser.driver
        self.page = Page(self.browser, self.origin + "/")
        self.page.open()
        # The service worker has cached the site.
        self.driver.execute_async_script(
            "var done = arguments[0]; navigator.serviceWorker.ready.then(function() { done(); })")

    def run_async(self, promise):
        """What the page's promise expression gives."""
        return self.driver.execute_async_script(f"var done = arguments[0]; ({promise}).then(done)")

    def tearDown(self):
        self.browser.quit()
        self.server.shutdown()
        self.server.server_close()
        shutil.rmtree(self.folder)

    def test_installable_and_locked_down(self):
        self.assertEqual(self.driver.execute_cdp_cmd("Page.getInstallabilityErrors", {}),
                         {"installabilityErrors": []})
        logged = [json.loads(entry["message"])["message"] for entry in self.driver.get_log("performance")]
        requested = {m["params"]["request"]["url"] for m in logged if m["method"] == "Network.requestWillBeSent"}
        # The text files and the module come compressed, as a host sends them.
        encodings = {pathlib.PurePosixPath(urllib.parse.urlsplit(m["params"]["response"]["url"]).path).name
                     or "index.html":
                     {key.lower(): value for key, value in m["params"]["response"]["headers"].items()}
                     .get("content-encoding") for m in logged if m["method"] == "Network.responseReceived"}
        for name in ("index.html", "velmora.js", "velmora.wasm"):
            self.assertEqual(encodings.get(name), "gzip", name)
        self.assertTrue(requested)
        for address in requested:
            parts = urllib.parse.urlsplit(address)
            self.assertEqual(f"{parts.scheme}://{parts.netloc}", self.origin, address)
        # Nothing refused by the page's security policy, nor any other error.
        self.assertEqual([entry["message"] for entry in self.driver.get_log("browser")
                          if entry["level"] == "SEVERE"], [])
        self.assertEqual(self.driver.get_cookies(), [])
        stored = self.run_async("Promise.all([caches.keys(), indexedDB.databases()]).then(function(found) {"
                                "  return [found[0].length, found[1].length, localStorage.length,"
                                "          sessionStorage.length, document.cookie]; })")
        self.assertEqual(stored, [1, 0, 0, 0, ""])  # the service worker's one cache only

    def test_works_with_the_server_stopped(self):
        self.server.shutdown()
        self.server.server_close()
        self.page.open()
        self.page.example()
        self.page.control("cmdCalc").click()
        self.assertEqual(self.page.result(), "Inductive Reactance = 37.7 ohms")

    def test_a_new_build_replaces_the_old_once_its_pages_are_closed(self):
        page = "fetch('index.html').then(function(response) { return response.text(); })"
        worker = self.folder / "service-worker.js"
        worker.write_text(re.sub(r"velmora-[0-9a-f]+", "velmora-next", worker.read_text()))
        with open(self.folder / "index.html", "a") as published:
            published.write("<!-- the next build -->\n")
        for changed in (worker, self.folder / "index.html"):  # and their compressed copies
            changed.with_name(changed.name + ".gz").write_bytes(gzip.compress(changed.read_bytes()))
        # Reloaded, the page is still the old build, the new one waiting.
        self.page.open()
        WebDriverWait(self.driver, 20).until(lambda driver: self.run_async(
            "navigator.serviceWorker.getRegistration().then(function(found) { return !!found.waiting; })"))
        self.assertNotIn("the next build", self.run_async(page))
        # Closed and opened again: the new build, alone, once the browser has
        # seen the old page go.
        def reopened(driver):
            driver.get("about:blank")
            self.page.open()
            return self.run_async("caches.keys()") == ["velmora-next"]
        WebDriverWait(self.driver, 20, poll_frequency=1).until(reopened)
        self.assertIn("the next build", self.run_async(page))


if __name__ == "__main__":
    unittest.main(verbosity=2)
