"""Takes the README's pictures of the web version in headless Chromium: the
page at ADDRESS with the example calculated (60 Hz, 100 mH), as a desktop
browser shows it (the window alone) and as a phone held upright shows it
(the whole screen, 360 x 640 CSS pixels).
Usage: screenshot-web.py ADDRESS DESKTOP.png PHONE.png
"""
import os
import sys

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "support"))
from headless_chromium import headless_chromium  # noqa: E402

PHONE = {"width": 360, "height": 640, "deviceScaleFactor": 1, "mobile": True}


def calculated(driver, address):
    driver.get(address)
    WebDriverWait(driver, 20).until(lambda d: d.execute_script("return !!document.getElementById('cmdCalc')"))
    driver.find_element(By.ID, "txtFreq").send_keys("60")
    driver.find_element(By.ID, "optHz").find_element(By.TAG_NAME, "input").click()
    driver.find_element(By.ID, "txtL").send_keys("100")
    driver.find_element(By.ID, "optmH").find_element(By.TAG_NAME, "input").click()
    driver.find_element(By.ID, "txtL").send_keys(Keys.ENTER)


def main(address, desktop, phone):
    driver = headless_chromium(window_size="800,600")
    try:
        calculated(driver, address)
        driver.find_element(By.ID, "frmVelmora").screenshot(desktop)
        driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", PHONE)
        calculated(driver, address)
        driver.save_screenshot(phone)
    finally:
        driver.quit()


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    main(*sys.argv[1:])
