"""Debian's Chromium, headless, driven through its chromedriver (Selenium),
as the web tests, the README's pictures and the start-up benchmark drive
it: a new profile each time, nothing fetched but what the page asks for.
"""
from selenium import webdriver
from selenium.webdriver.chrome.service import Service


def headless_chromium(language="en-US", window_size="1024,768", logs=False, headless=True, waits=True):
    """A new browser preferring the language; with logs, keeping the page's
    requests and its console for get_log("performance") and ("browser").
    Not headless, it has a window on the X display, with its accessibility
    on for screen readers."""
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    options.page_load_strategy = "normal" if waits else "none"
    mode = "--headless=new" if headless else "--force-renderer-accessibility"
    for argument in (mode, "--no-sandbox", "--disable-gpu", "--no-first-run",
                     "--disable-background-networking", "--disable-component-update", "--disable-sync",
                     "--hide-scrollbars", f"--window-size={window_size}", f"--lang={language}"):
        options.add_argument(argument)
    options.add_experimental_option("prefs", {"intl.accept_languages": language})
    if logs:
        options.set_capability("goog:loggingPrefs", {"performance": "ALL", "browser": "ALL"})
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
