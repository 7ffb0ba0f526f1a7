"""Takes the README's pictures of the web version in headless Chromium: the
page at ADDRESS with the example calculated (60 Hz, 100 mH), as a desktop
browser shows it (the window alone) and as a phone held upright shows it
(the whole screen, 360 x 640 CSS pixels).
Usage: screenshot-web.py ADDRESS DESKTOP.png PHONE.png
"""
import os
import sys

from selenium.webdriver.common.keys import Keys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "support"))
from browsers import Chromium, Page  # noqa: E402


def calculated(page, width=None, height=None):
    page.open(width, height)
    page.example()
    page.control("txtL").send_keys(Keys.ENTER)


def main(address, desktop, phone):
    browser = Chromium()
    try:
        page = Page(browser, address)
        calculated(page)
        page.control("frmVelmora").screenshot(desktop)
        calculated(page, 360, 640)
        browser.driver.save_screenshot(phone)
    finally:
        browser.quit()


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    main(*sys.argv[1:])
