"""The real executable's options window: "Annulla" after a change asks its question, No keeps
the change and Yes drops it; the start-up song check's Yes opens the window on the songs tab."""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from xsession import BoardTest, count_colour, wait_until  # noqa: E402

# Places inside the options window as it opens on a 1024 x 768 screen, from the corner that
# the window manager reports.
AVANZATE_TAB = (371, 4)
RIPETI_IL_FILE = (40, 116)
OK_BUTTON = (455, 557)
ANNULLA_BUTTON = (627, 557)
# The tab page, where the theme tab shows its preview.
PAGE = (20, 60, 660, 520)


def wait_count(session, name, count, timeout=15):
    wait_until(lambda: len(session.windows(name)) == count,
               f"{count} windows named {name!r} expected", timeout)


def first_theme_colour(program):
    """The background colour of the theme the program applies first, as (r, g, b)."""
    folder = sorted(os.listdir(program.path("Temi")), key=str.lower)[0]
    with open(program.path("Temi", folder, folder + ".ini"), encoding="utf-8") as f:
        for line in f:
            key, _, value = line.partition("=")
            if key.strip().lower() in ("coloresfondo", "sfondo") and value.strip():
                v = int(value)
                return v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF
    raise AssertionError("the first theme has no colour")


class Options(BoardTest):
    SCREEN = (1024, 768)

    def answer(self, window, key):
        """Answers the question standing over the options window with key."""
        wait_count(self.session, "Opzioni", 2)
        question = [w for w in self.session.windows("Opzioni") if w != window]
        self.assertEqual(len(question), 1)
        self.session.press(question[0], key)

    def tick_repeat(self, window):
        self.click_window(window, AVANZATE_TAB)
        self.click_window(window, RIPETI_IL_FILE)

    def page_pixels(self, window, colour, name):
        x, y = self.session.geometry(window)[:2]
        shot = self.shot(name)
        box = (x + PAGE[0], y + PAGE[1], x + PAGE[2], y + PAGE[3])
        return count_colour(shot, box, colour)

    def test_cancel_no_keeps_the_change(self):
        geometry = self.start_board()
        window = self.open_options(geometry)
        self.tick_repeat(window)
        self.click_window(window, ANNULLA_BUTTON)
        self.answer(window, "Escape")  # No
        wait_count(self.session, "Opzioni", 1)
        time.sleep(0.5)
        self.assertEqual(len(self.session.windows("Opzioni")), 1,
                         "No must leave the options window open")
        self.click_window(window, OK_BUTTON)
        wait_count(self.session, "Opzioni", 0)
        self.assertIn(b"riprodcontinua=1\r\n", self.program.read("Impostazioni.ini"))

    def test_cancel_yes_drops_the_change(self):
        geometry = self.start_board()
        before = self.program.read("Impostazioni.ini")
        window = self.open_options(geometry)
        self.tick_repeat(window)
        self.click_window(window, ANNULLA_BUTTON)
        self.answer(window, "Return")  # Yes, the default
        wait_count(self.session, "Opzioni", 0)
        self.assertEqual(self.program.read("Impostazioni.ini"), before,
                         "closing the options window must write nothing")
        # The window can be opened again, and the normal end stores the setting as it was.
        self.open_options(geometry)
        self.end_normally()
        self.assertIn(b"riprodcontinua=0\r\n", self.program.read("Impostazioni.ini"))

    def test_song_check_yes_opens_the_songs_tab(self):
        colour = first_theme_colour(self.program)
        # The theme tab shows the preview in the theme's colour: a Ctrl + right click opening.
        geometry = self.start_board()
        window = self.open_options(geometry)
        self.assertGreater(self.page_pixels(window, colour, "theme.png"), 1000)
        self.end_normally()

        # A song gone: the start-up question's Yes opens the window on the songs tab.
        os.remove(self.program.path("Musiche", "song7.wav"))
        self.program.start(self.session)
        self.session.press(self.session.wait_window("Controllo Canzoni", timeout=30), "Return")
        window = self.session.wait_window("Opzioni", timeout=15)
        self.session.wait_window("Zefiro", timeout=15)
        time.sleep(2.0)
        self.assertEqual(self.page_pixels(window, colour, "songs.png"), 0,
                         "the options window should show the songs tab, in front of the board")


if __name__ == "__main__":
    unittest.main()
