"""The three browser engines the web tests run in, each as Debian ships it,
driven through one Selenium-like interface (get, title, execute_script,
find_element, switch_to.active_element, quit; elements with send_keys,
click, text, get_attribute and the like):

- chromium: Debian's Chromium through its chromedriver (Selenium);
- firefox: Firefox ESR over WebDriver BiDi, its own remote protocol, by a
  small client over python3-websockets: Debian has no geckodriver, and a
  BiDi client in Python keeps the tests' tables in one language;
- webkit: the MiniBrowser of libwebkit2gtk-4.1 through WebKitWebDriver
  (Selenium), on an X server of its own.

Each engine's Browser says what it lacks (LACKS), for the tests to give as
the reason for leaving a row out there; a Page is Velmora's page in one.
"""
import asyncio
import glob
import json
import os
import pathlib
import re
import shutil
import subprocess
import tempfile
import threading
import urllib.parse

from selenium import webdriver
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait
from selenium.webdriver.webkitgtk.service import Service as WebKitService

from headless_chromium import headless_chromium

MINIBROWSER = "/usr/lib/*/webkit2gtk-4.1/MiniBrowser"  # in the machine's multiarch folder
WEBKIT_DRIVER = "/usr/bin/WebKitWebDriver"

# What an engine, as driven here, cannot do: the reason a test gives.
ACCESSIBLE_NAMES = "accessible names"
KEY_ACTIVATION = "key activation"
INSTALLING = "installing"
FORCED_COLOURS = "forced colours"


class Browser:
    """One engine's new browser preferring a language: .driver drives it;
    LACKS says why the engine cannot do what a test needs. Made with
    waits=False, its commands do not wait for a page to finish loading."""
    LACKS = {}

    def lacks(self, feature):
        """Why the engine cannot do the feature, or None where it can."""
        return self.LACKS.get(feature)

    def open(self, address, width=None, height=None):
        """The page in a viewport of the size (CSS pixels), or the browser's."""
        if width:
            self.resize(width, height)
        self.driver.get(address)

    def quit(self):
        self.driver.quit()


class Chromium(Browser):
    """Debian's Chromium through its chromedriver; with a window on the X
    display, for screen readers, where not headless."""

    def __init__(self, language="en-US", headless=True, waits=True):
        self.driver = headless_chromium(language, logs=True, headless=headless, waits=waits)

    def resize(self, width, height):
        """The viewport made the size (CSS pixels), as turning a phone or
        resizing a window does."""
        self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": 1, "mobile": width < 600})

    def forced_colours(self, active):
        self.driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {
            "features": [{"name": "forced-colors", "value": "active"}] if active else []})


class Firefox(Browser):
    """Firefox ESR over WebDriver BiDi."""
    LACKS = {
        ACCESSIBLE_NAMES: "WebDriver BiDi has no command for an element's accessible name",
        KEY_ACTIVATION: "under WebDriver BiDi, Firefox gives a synthesized Space or Enter no default "
                        "action on a <button>",
        INSTALLING: "Firefox does not install web apps",
        FORCED_COLOURS: "Firefox has no emulation of forced colours through WebDriver",
    }

    def __init__(self, language="en-US", headless=True, waits=True):
        self.driver = BidiFirefox(language, headless)  # BiDi commands never wait

    def resize(self, width, height):
        self.driver.set_viewport(width, height)


class WebKit(Browser):
    """WebKitGTK's MiniBrowser, whose window cannot be made as narrow as a
    phone: a page given a size is opened in an iframe of that size."""
    LACKS = {
        INSTALLING: "WebKitGTK's MiniBrowser does not install web apps",
        FORCED_COLOURS: "WebKitWebDriver has no emulation of forced colours",
    }

    def __init__(self, language="en-US", waits=True):
        self.driver = WebKitDriver(language, waits)
        self.framed = False

    def open(self, address, width=None, height=None):
        if self.framed:
            self.driver.switch_to.default_content()
            self.framed = False
        if not width:
            self.driver.get(address)
            return
        # Framed by a page of the site's own origin: in a frame of another
        # origin WebKit partitions the site's service worker, and a second
        # load there comes out blank.
        self.driver.get(urllib.parse.urljoin(address, "viewport-frame"))
        frame = self.driver.execute_async_script(
            "document.body.replaceChildren(); document.body.style.margin = 0;"
            "var done = arguments[3], frame = document.createElement('iframe');"
            "frame.style = 'border: 0; position: absolute; left: 0; top: 0';"
            "frame.width = arguments[1]; frame.height = arguments[2];"
            "frame.onload = function() { done(frame); };"
            "frame.src = arguments[0]; document.body.append(frame);", address, width, height)
        self.driver.switch_to.frame(frame)
        self.framed = True

    def resize(self, width, height):
        """The frame of a page opened framed made the size."""
        self.driver.switch_to.default_content()
        self.driver.execute_script(
            "var frame = document.querySelector('iframe'); frame.width = arguments[0]; frame.height = arguments[1]",
            width, height)
        self.driver.switch_to.frame(self.driver.find_element(By.TAG_NAME, "iframe"))


ENGINES = {"chromium": Chromium, "firefox": Firefox, "webkit": WebKit}


class Page:
    """Velmora's page in one browser: open it, act on its controls, read them."""

    def __init__(self, browser, address):
        self.browser = browser
        self.driver = browser.driver
        self.address = address

    def open(self, width=None, height=None):
        self.browser.open(self.address, width, height)
        self.wait_for_module()

    def wait_for_module(self):
        """Until the module has attached to the window the page came with,
        which lets its button be pressed."""
        WebDriverWait(self.driver, 20).until(lambda driver: driver.execute_script(
            "var button = document.getElementById('cmdCalc'); return !!button && !button.disabled"))

    def control(self, name):
        return self.driver.find_element(By.ID, name)

    def radio(self, name):
        return self.control(name).find_element(By.TAG_NAME, "input")

    def result_colour(self):
        return self.driver.execute_script("return getComputedStyle(document.getElementById('lblXL')).color")

    def result(self):
        # As shown (WebKitWebDriver's element text is empty for this label).
        return self.driver.execute_script("return document.getElementById('lblXL').innerText.trim()")

    def focused(self):
        return self.driver.execute_script(
            "var e = document.activeElement; return e.closest('[id]') ? e.closest('[id]').id : ''")

    def keys(self, *keys):
        self.driver.switch_to.active_element.send_keys(*keys)

    def example(self, frequency="60", inductance="100"):
        """60 Hz and 100 mH typed and chosen by keyboard and mouse."""
        self.control("txtFreq").send_keys(frequency)
        self.radio("optHz").click()
        self.control("txtL").send_keys(inductance)
        self.radio("optmH").click()


class WebKitDriver:
    """WebKitGTK's MiniBrowser under WebKitWebDriver, on a private Xvfb. Its
    languages are those of the process's locale: LANGUAGE, and LANG naming
    a locale compiled for it (localedef) where the language has one."""

    def __init__(self, language, waits=True):
        self.folder = tempfile.mkdtemp()
        read, write = os.pipe()
        self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24",
                                      "-nolisten", "tcp", "-noreset"], pass_fds=(write,),
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as displays:
            display = displays.readline().strip()
        environment = dict(os.environ, DISPLAY=f":{display}", LANGUAGE=language.replace("-", "_"),
                           LANG="C.UTF-8", LC_ALL="", WEBKIT_DISABLE_COMPOSITING_MODE="1")
        locale = language.replace("-", "_")
        if "_" in locale and subprocess.run(
                ["localedef", "-i", locale, "-f", "UTF-8", f"{self.folder}/{locale}.UTF-8"],
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode in (0, 1):
            environment.update(LOCPATH=self.folder, LANG=f"{locale}.UTF-8")
        options = webdriver.WebKitGTKOptions()
        options.binary_location = glob.glob(MINIBROWSER)[0]
        options.add_argument("--automation")
        options.page_load_strategy = "normal" if waits else "none"
        # WebKitWebDriver starts MiniBrowser with its own environment: given
        # here the same way to Selenium 4.8 (Debian 12) and later ones.
        saved = dict(os.environ)
        os.environ.update(environment)
        try:
            try:
                service = WebKitService(executable_path=WEBKIT_DRIVER)
                self._driver = webdriver.WebKitGTK(options=options, service=service)
            except TypeError:  # Selenium 4.8 takes the driver's path itself
                self._driver = webdriver.WebKitGTK(executable_path=WEBKIT_DRIVER, options=options)
        except Exception:
            self._end_xvfb()
            raise
        finally:
            os.environ.clear()
            os.environ.update(saved)

    def __getattr__(self, name):
        return getattr(self._driver, name)

    def quit(self):
        try:
            self._driver.quit()
        finally:
            self._end_xvfb()

    def _end_xvfb(self):
        self.xvfb.terminate()
        self.xvfb.wait()
        shutil.rmtree(self.folder, ignore_errors=True)


# Firefox over WebDriver BiDi

class BidiError(Exception):
    pass


class BidiFirefox:
    """Firefox ESR in a new profile, driven over WebDriver BiDi: headless,
    or with a window on the X display, which screen readers can hear."""

    # A new profile without first-run pages, updates or calls home, and the
    # preferred language.
    PREFERENCES = {
        "browser.shell.checkDefaultBrowser": False, "browser.startup.homepage_override.mstone": "ignore",
        "browser.aboutwelcome.enabled": False, "app.update.disabledForTesting": True,
        "datareporting.policy.dataSubmissionEnabled": False, "toolkit.telemetry.reportingpolicy.firstRun": False,
        "browser.safebrowsing.malware.enabled": False, "browser.safebrowsing.phishing.enabled": False,
        "network.captive-portal-service.enabled": False, "network.connectivity-service.enabled": False,
        "extensions.update.enabled": False, "browser.search.update": False, "app.normandy.enabled": False,
        "services.settings.server": "http://127.0.0.1:1/", "messaging-system.rsexperimentloader.enabled": False,
        "remote.prefs.recommended": True,
    }

    def __init__(self, language="en-US", headless=True):
        self.profile = tempfile.mkdtemp()
        preferences = dict(self.PREFERENCES, **{"intl.accept_languages": language})
        pathlib.Path(self.profile, "user.js").write_text(
            "".join(f"user_pref({json.dumps(k)}, {json.dumps(v)});\n" for k, v in preferences.items()))
        self.process = subprocess.Popen(
            ["/usr/bin/firefox-esr"] + (["--headless"] if headless else []) +
            ["--no-remote", "--remote-debugging-port=0", "--profile", self.profile, "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        address = None
        for line in self.process.stderr:
            found = re.search(r"WebDriver BiDi listening on (ws://\S+)", line)
            if found:
                address = found.group(1)
                break
        if address is None:
            self.process.kill()
            self.process.wait()
            raise BidiError("Firefox did not start its WebDriver BiDi server")
        # Firefox's console goes on to stderr; it is read and dropped.
        self.console = threading.Thread(target=lambda: [None for _ in self.process.stderr], daemon=True)
        self.console.start()
        self.loop = asyncio.new_event_loop()
        self.loop_thread = threading.Thread(target=self.loop.run_forever, daemon=True)
        self.loop_thread.start()
        self.next_id = 0
        self.socket = self._wait(self._connect(address + "/session"))
        self.command("session.new", {"capabilities": {"alwaysMatch": {"acceptInsecureCerts": True}}})
        self.context = self.command("browsingContext.getTree", {})["contexts"][0]["context"]
        self.switch_to = SwitchTo(self)

    async def _connect(self, address):
        import websockets
        return await websockets.connect(address, max_size=None)

    def _wait(self, coroutine, timeout=60):
        return asyncio.run_coroutine_threadsafe(coroutine, self.loop).result(timeout)

    async def _command(self, method, parameters):
        self.next_id += 1
        number = self.next_id
        await self.socket.send(json.dumps({"id": number, "method": method, "params": parameters}))
        while True:
            message = json.loads(await self.socket.recv())
            if message.get("id") == number:
                return message

    def command(self, method, parameters):
        message = self._wait(self._command(method, parameters))
        if message.get("type") == "error":
            raise BidiError(f"{method}: {message.get('error')}: {message.get('message')}")
        return message["result"]

    def get(self, address):
        self.command("browsingContext.navigate", {"context": self.context, "url": address, "wait": "complete"})

    def set_viewport(self, width, height):
        self.command("browsingContext.setViewport", {
            "context": self.context, "viewport": {"width": width, "height": height}, "devicePixelRatio": 1})

    @property
    def title(self):
        return self.execute_script("return document.title")

    def execute_script(self, script, *arguments):
        result = self.command("script.callFunction", {
            "functionDeclaration": f"function() {{ {script}\n}}", "target": {"context": self.context},
            "arguments": [self._argument(value) for value in arguments], "awaitPromise": True,
            "resultOwnership": "root"})
        if result["type"] == "exception":
            raise BidiError(result["exceptionDetails"]["text"])
        return self._value(result["result"])

    def _argument(self, value):
        if isinstance(value, BidiElement):
            return {"sharedId": value.shared_id}
        if isinstance(value, bool):
            return {"type": "boolean", "value": value}
        if isinstance(value, (int, float)):
            return {"type": "number", "value": value}
        if value is None:
            return {"type": "null"}
        return {"type": "string", "value": str(value)}

    def _value(self, remote):
        kind = remote["type"]
        if kind in ("string", "number", "boolean"):
            return remote["value"]
        if kind in ("null", "undefined"):
            return None
        if kind in ("array", "nodelist", "htmlcollection"):
            return [self._value(item) for item in remote.get("value", [])]
        if kind == "node":
            return BidiElement(self, remote["sharedId"])
        if kind == "object":
            return {key if isinstance(key, str) else self._value(key): self._value(item)
                    for key, item in remote.get("value", [])}
        return remote.get("value")

    def find_element(self, by, value, within=None):
        if by not in (By.ID, By.TAG_NAME):
            raise BidiError(f"elements are found by id or tag name here, not {by}")
        found = self.execute_script(
            "var scope = arguments[0] || document, id = arguments[1] === 'id';"
            "return scope.querySelector(id ? '#' + CSS.escape(arguments[2]) : arguments[2])", within, by, value)
        if found is None:
            raise BidiError(f"no element {by} {value}")
        return found

    def perform(self, *sources):
        self.command("input.performActions", {"context": self.context, "actions": list(sources)})

    def type_keys(self, text):
        actions = []
        for key in text:
            actions += [{"type": "keyDown", "value": key}, {"type": "keyUp", "value": key}]
        self.perform({"type": "key", "id": "keyboard", "actions": actions})

    def quit(self):
        try:
            self.command("session.end", {})
            self._wait(self.socket.close())
        except Exception:
            pass
        self.process.terminate()
        try:
            self.process.wait(20)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        self.console.join(10)
        self.process.stderr.close()
        self.loop.call_soon_threadsafe(self.loop.stop)
        self.loop_thread.join()
        self.loop.close()
        shutil.rmtree(self.profile, ignore_errors=True)


class SwitchTo:
    def __init__(self, browser):
        self.browser = browser

    @property
    def active_element(self):
        return self.browser.execute_script("return document.activeElement")


class BidiElement:
    """An element of the page, as Selenium's WebElement gives it."""

    def __init__(self, browser, shared_id):
        self.browser = browser
        self.shared_id = shared_id

    def _run(self, body, *arguments):
        return self.browser.execute_script(f"var element = arguments[0]; {body}", self, *arguments)

    def find_element(self, by, value):
        return self.browser.find_element(by, value, within=self)

    @property
    def text(self):
        return self._run("return element.innerText.trim()")

    def get_attribute(self, name):
        return self._run("var name = arguments[1];"
                         "var value = name in element ? element[name] : element.getAttribute(name);"
                         "return value === null || value === undefined ? null : String(value)", name)

    def is_selected(self):
        return self._run("return !!element.checked")

    def is_displayed(self):
        return self._run("return element.getClientRects().length > 0 &&"
                         " getComputedStyle(element).visibility !== 'hidden'")

    def click(self):
        self._run("element.scrollIntoView({block: 'nearest'})")
        self.browser.perform({"type": "pointer", "id": "mouse", "parameters": {"pointerType": "mouse"},
                              "actions": [{"type": "pointerMove", "x": 0, "y": 0,
                                           "origin": {"type": "element", "element": {"sharedId": self.shared_id}}},
                                          {"type": "pointerDown", "button": 0},
                                          {"type": "pointerUp", "button": 0}]})

    def send_keys(self, *keys):
        # As Selenium does: focus the element, the caret at the end of its text.
        self._run("if (element !== document.activeElement) element.focus();"
                  "try { element.setSelectionRange(element.value.length, element.value.length); } catch (e) {}")
        self.browser.type_keys("".join(keys))
