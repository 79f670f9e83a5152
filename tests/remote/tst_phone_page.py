"""The phone page in a real browser: headless Chromium, driven by Selenium, against the buzzer
harness (two teams, a song playing). A wrong code is refused in words; the right code shows
the teams; the team's button books the answer ("Prenotato!"), and the server saw that team's
press; a reload comes back to the same team without the code."""

import os
import socket
import subprocess
import sys
import tempfile
import unittest

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support import expected_conditions as ec
from selenium.webdriver.support.ui import WebDriverWait

HARNESS = sys.argv.pop(1) if len(sys.argv) > 1 else ""


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def browser(profile):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
                 "--disable-component-update", "--disable-sync", "--no-first-run",
                 "--window-size=400,800", "--user-data-dir=" + profile):
        options.add_argument(flag)
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


class PhonePage(unittest.TestCase):
    def setUp(self):
        self.assertTrue(os.access(HARNESS, os.X_OK), "buzzer harness missing: " + HARNESS)
        self.harness = subprocess.Popen([HARNESS, str(free_port())], stdout=subprocess.PIPE,
                                        text=True)
        self.addCleanup(self.harness.wait, 10)
        self.addCleanup(self.harness.terminate)
        ready = self.harness.stdout.readline().split()
        self.assertEqual(ready[0], "ready")
        self.port, self.code = int(ready[1]), ready[2]
        profile = tempfile.TemporaryDirectory()
        self.addCleanup(profile.cleanup)
        self.driver = browser(profile.name)
        self.addCleanup(self.driver.quit)
        self.wait = WebDriverWait(self.driver, 10)

    def text_is(self, element_id, text):
        self.wait.until(ec.text_to_be_present_in_element((By.ID, element_id), text))

    def enter_code(self, code):
        field = self.wait.until(ec.visibility_of_element_located((By.ID, "codice")))
        field.clear()
        field.send_keys(code)
        self.driver.find_element(By.ID, "entra").click()

    def test_code_team_press_booked_and_back_after_reload(self):
        self.driver.get(f"http://127.0.0.1:{self.port}/")
        wrong = f"{(int(self.code) + 1) % 10000:04d}"
        self.enter_code(wrong)
        self.text_is("stato", "Codice sbagliato")

        self.enter_code(self.code)
        blu = self.wait.until(ec.element_to_be_clickable(
            (By.XPATH, "//div[@id='squadre']/button[text()='Blu']")))
        self.assertEqual(len(self.driver.find_elements(By.CSS_SELECTOR, "#squadre button")), 2)
        blu.click()
        self.text_is("squadra", "Blu")
        self.text_is("canzone", "Canzone in corso: premi!")

        self.driver.find_element(By.ID, "buzzer").click()
        self.text_is("esito", "Prenotato!")
        self.text_is("canzone", "Prenotata: Blu")
        self.assertEqual(self.harness.stdout.readline().split()[:3], ["press", "1", "booked"])
        shot = os.environ.get("ZEFIRO_PHONE_SCREENSHOT")
        if shot:
            self.driver.save_screenshot(shot)

        self.driver.refresh()
        self.text_is("squadra", "Blu")
        self.assertFalse(self.driver.find_element(By.ID, "gioco").get_attribute("hidden"))
        self.driver.find_element(By.ID, "buzzer").click()
        self.text_is("esito", "Troppo tardi")


if __name__ == "__main__":
    unittest.main()
