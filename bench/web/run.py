"""Start-up of the web version against the least page with the same controls
whose calculation is plain JavaScript (least/), in headless Chromium, both in
one run: the time from navigation to the window drawn and able to calculate
(its Calculate button in the page and able to be pressed, which Velmora's
page draws at once and its module enables once it runs, and the frame that
draws it, to the end of the page's part of that
frame: style, layout and paint), cold (a new browser profile, nothing
cached) and warm (the same page opened again: the browser's caches and, for
Velmora, its service worker's), median of alternating runs; and the bytes
each page has the server send, on its first load (service worker's included)
and on the warm one. It also gives when that frame began, the measure of
earlier releases, which leaves out whatever a page does not force before
it: for most pages their first layout and paint.
Usage: run.py SITE [RUNS]   (RUNS 9 unless told)
"""
import pathlib
import statistics
import sys

from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

HERE = pathlib.Path(__file__).resolve().parent
LEAST = HERE / "least"
sys.path.insert(0, str(HERE.parent.parent / "tests" / "support"))
from headless_chromium import headless_chromium  # noqa: E402
from local_site import SiteHandler, serve  # noqa: E402

# Notes when the first frame with a Calculate button to press begins, and
# when the page's work on it ends: a task posted as the frame begins runs
# once the frame's style, layout and paint are done.
WHEN_DRAWN = """
new MutationObserver(function(changes, observer) {
    var button = document.getElementById('cmdCalc');
    if (!button || button.disabled) return;
    observer.disconnect();
    requestAnimationFrame(function() {
        window.benchFrameBegun = performance.now();
        setTimeout(function() { window.benchDrawn = performance.now(); }, 0);
    });
}).observe(document, {childList: true, subtree: true, attributes: true});
"""


class CountingHandler(SiteHandler):
    """Adds up the bytes it sends, headers included; on connections kept
    open, as web servers keep them."""
    protocol_version = "HTTP/1.1"

    def setup(self):
        super().setup()
        handler, stream = self, self.wfile

        class Counted:
            def write(self, data):
                sent = handler.server.sent
                sent[handler.path] = sent.get(handler.path, 0) + len(data)
                return stream.write(data)

            def __getattr__(self, name):
                return getattr(stream, name)

        self.wfile = Counted()


def counting_server(folder):
    server = serve(folder, CountingHandler)
    server.sent = {}
    return server


def browser():
    driver = headless_chromium()
    driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": WHEN_DRAWN})
    return driver


def load(driver, address):
    """Milliseconds from navigation to the window drawn and to the frame that
    draws it begun, and checks that it calculates."""
    driver.get(address)
    drawn, begun = WebDriverWait(driver, 30).until(
        lambda d: d.execute_script("return window.benchDrawn && [window.benchDrawn, window.benchFrameBegun]"))
    for box, number in zip(driver.find_elements(By.CSS_SELECTOR, "input:not([type=radio])"), ("60", "100")):
        box.send_keys(number)
    driver.find_element(By.ID, "cmdCalc").click()
    if "Inductive Reactance = " not in driver.find_element(By.TAG_NAME, "body").text:
        sys.exit(f"{address}: no result after Calculate")
    return drawn, begun


def one_run(server, has_worker):
    """Cold and warm times, and the bytes sent for each."""
    address = f"http://127.0.0.1:{server.server_address[1]}/"
    driver = browser()
    try:
        server.sent.clear()
        cold = load(driver, address)
        if has_worker:  # the first load ends once it has cached the site
            driver.set_script_timeout(30)
            driver.execute_async_script(
                "var done = arguments[0]; navigator.serviceWorker.ready.then(function() { done(); })")
        cold_sent = dict(server.sent)
        driver.get("about:blank")
        server.sent.clear()
        warm = load(driver, address)
        warm_sent = dict(server.sent)
    finally:
        driver.quit()
    return cold, warm, cold_sent, warm_sent


def kilobytes(sent, icons=True):
    return sum(size for path, size in sent.items() if icons or "icon" not in path) / 1000


def median(runs_of_page, load, measure):
    """Median over the runs of one load (0 cold, 1 warm) by one measure (0
    drawn, 1 frame begun)."""
    return statistics.median(run[load][measure] for run in runs_of_page)


def main(site, runs=9):
    pages = {"least page": counting_server(LEAST), "velmora": counting_server(site)}
    results = {name: [] for name in pages}
    for _ in range(int(runs)):
        for name, server in pages.items():
            results[name].append(one_run(server, has_worker=name == "velmora"))
    for name, runs_of_page in results.items():
        first, again = runs_of_page[0][2], runs_of_page[0][3]
        print(f"{name:10}: cold {median(runs_of_page, 0, 0):6.1f} ms (frame begun {median(runs_of_page, 0, 1):.1f}),"
              f" warm {median(runs_of_page, 1, 0):6.1f} ms (frame begun {median(runs_of_page, 1, 1):.1f}),"
              f" median of {len(runs_of_page)};"
              f" first load {kilobytes(first):6.1f} kB ({kilobytes(first, icons=False):.1f} kB without icons,"
              f" {len(first)} files), warm load {kilobytes(again):.1f} kB")
    ratio = [[median(results["velmora"], load, measure) / median(results["least page"], load, measure)
              for measure in (0, 1)] for load in (0, 1)]
    print(f"ratios: cold {ratio[0][0]:.2f} (target 1.2 or less), warm {ratio[1][0]:.2f} (target 1.2 or less);"
          f" by the frame begun: cold {ratio[0][1]:.2f}, warm {ratio[1][1]:.2f};"
          f" first load without icons {kilobytes(results['velmora'][0][2], icons=False):.1f} kB"
          f" (target 120 or less)")
    for path, size in sorted(results["velmora"][0][2].items()):
        print(f"  {path:24} {size / 1000:7.1f} kB")


if __name__ == "__main__":
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    main(*sys.argv[1:])
