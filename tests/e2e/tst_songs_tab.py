"""The real executable's songs tab: "Pulisci" deletes the unused songs of Musiche and nothing
else, and a song picked outside the program folder through the file dialog is copied into
Musiche and named in Percorsi.ini once "OK" is pressed."""

import os
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from xsession import ProgramCopy, XSession, silent_wav  # noqa: E402

# Places inside the options window as it opens on a 1024 x 768 screen, from the corner that
# the window manager reports.
SONGS_TAB = (238, 4)
FIRST_NAME = (126, 98)  # the file name of the cell worth 10 points
PULISCI = (267, 429)
OK_BUTTON = (455, 557)
# Inside the cleanup window.
PROSEGUI = (339, 156)
CHIUDI = (426, 156)


def windows_named(session, name):
    return subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{name}$"],
                          env=session.env, capture_output=True, text=True).stdout.split()


def wait_until(condition, what, timeout=15):
    deadline = time.time() + timeout
    while time.time() < deadline:
        if condition():
            return
        time.sleep(0.2)
    raise AssertionError(what)


class SongsTab(unittest.TestCase):
    def setUp(self):
        self.session = XSession(1024, 768).__enter__()
        self.program = ProgramCopy()
        self.outside = os.path.join(self.program.tmp.name, "fuori")
        os.mkdir(self.outside)

    def tearDown(self):
        self.program.cleanup()
        self.session.__exit__(None, None, None)

    def click_in(self, window, offset, button=1):
        x, y = self.session.geometry(window)[:2]
        self.session.click(x + offset[0], y + offset[1], button)

    def shot(self, name):
        self.session.screenshot(os.path.join(self.program.tmp.name, name))

    def open_songs_tab(self):
        geometry = self.program.start_board(self.session)
        self.session.ctrl_right_click(5, geometry[3] - 5)
        window = self.session.wait_window("Opzioni", timeout=15)
        time.sleep(1.0)
        self.click_in(window, SONGS_TAB)
        return window

    def answer(self, title, known, key):
        """Answers the message titled title that is not one of the known windows with key."""
        def others():
            return [w for w in windows_named(self.session, title) if w not in known]
        wait_until(lambda: others(), f"a message titled {title!r} was expected")
        self.session.xdotool("windowactivate", "--sync", others()[0])
        time.sleep(0.3)
        self.session.xdotool("key", key)

    def test_cleanup_then_assign_from_outside(self):
        for name in ("vecchia1.wav", "vecchia2.mp3"):
            silent_wav(self.program.path("Musiche", name))
        picked = os.path.join(self.outside, "nuova.wav")
        silent_wav(picked, seconds=2.0)
        window = self.open_songs_tab()
        board = windows_named(self.session, "Zefiro")

        # "Pulisci": both unused files are listed ticked; "Prosegui" deletes them.
        self.click_in(window, PULISCI)
        cleanup = self.session.wait_window("Pulizia file inutili", timeout=15)
        time.sleep(0.5)
        self.shot("cleanup.png")
        self.click_in(cleanup, PROSEGUI)
        wait_until(lambda: not os.path.exists(self.program.path("Musiche", "vecchia1.wav"))
                   and not os.path.exists(self.program.path("Musiche", "vecchia2.mp3")),
                   "Prosegui should delete both unused files")
        self.assertEqual(len(os.listdir(self.program.path("Musiche"))), 25,
                         "the songs in use must stay")
        self.click_in(cleanup, CHIUDI)
        wait_until(lambda: not windows_named(self.session, "Pulizia file inutili"),
                   "Chiudi should close the cleanup window")

        # A right click on the name opens the file dialog; the song it replaces asks first.
        self.click_in(window, FIRST_NAME, button=3)
        dialog = self.session.wait_window("Scegli la canzone", timeout=15)
        self.session.xdotool("windowactivate", "--sync", dialog)
        time.sleep(0.5)
        self.session.xdotool("type", "--delay", "20", picked)
        time.sleep(0.5)
        self.session.xdotool("key", "Return")
        if windows_named(self.session, "Scegli la canzone"):
            time.sleep(0.5)  # the first Return may only have closed the completer's list
            if windows_named(self.session, "Scegli la canzone"):
                self.session.xdotool("key", "Return")
        self.answer("Opzioni", [window], "Return")  # "Sei sicuro di voler sostituire...": Yes
        wait_until(lambda: len(windows_named(self.session, "Opzioni")) == 1,
                   "the question should close")
        self.shot("assigned.png")

        self.click_in(window, OK_BUTTON)
        self.answer("Zefiro", board, "Return")  # "Copia dei file eseguita con successo!"
        wait_until(lambda: not windows_named(self.session, "Opzioni"),
                   "OK should close the options window")
        with open(self.program.path("Musiche", "nuova.wav"), "rb") as copied, \
                open(picked, "rb") as original:
            self.assertEqual(copied.read(), original.read())
        lines = self.program.read("Percorsi.ini").decode("utf-8").splitlines()
        self.assertIn("0=nuova.wav", lines)
        self.assertNotIn("0=song0.wav", lines)
        self.assertIn("1=song1.wav", lines)


if __name__ == "__main__":
    unittest.main()
