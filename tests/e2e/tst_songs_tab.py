"""The real executable's songs tab: "Pulisci" deletes the unused songs of Musiche and nothing
else, and a song picked outside the program folder through the file dialog is copied into
Musiche and named in Percorsi.ini once "OK" is pressed."""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from xsession import BoardTest, tone_wav, wait_until  # noqa: E402
from tst_options import OK_BUTTON  # noqa: E402

# Places inside the options window as it opens on a 1024 x 768 screen, from the corner that
# the window manager reports.
SONGS_TAB = (238, 4)
FIRST_NAME = (126, 87)  # the file name of the cell worth 10 points, above its glyphs
PULISCI = (267, 429)
# Inside the cleanup window.
PROSEGUI = (339, 156)
CHIUDI = (426, 156)


class SongsTab(BoardTest):
    SCREEN = (1024, 768)

    def setUp(self):
        super().setUp()
        self.outside = os.path.join(self.program.tmp.name, "fuori")
        os.mkdir(self.outside)

    def open_songs_tab(self):
        window = self.open_options(self.start_board())
        self.click_window(window, SONGS_TAB)
        return window

    def answer(self, title, known, key):
        """Answers the message titled title that is not one of the known windows with key."""
        others = wait_until(lambda: [w for w in self.session.windows(title) if w not in known],
                            f"a message titled {title!r} was expected")
        self.session.press(others[0], key)

    def test_cleanup_then_assign_from_outside(self):
        for name in ("vecchia1.wav", "vecchia2.mp3"):
            tone_wav(self.program.path("Musiche", name), amplitude=0)
        picked = os.path.join(self.outside, "nuova.wav")
        tone_wav(picked, 2.0, amplitude=0)
        window = self.open_songs_tab()
        board = self.session.windows("Zefiro")

        # "Pulisci": both unused files are listed ticked; "Prosegui" deletes them.
        self.click_window(window, PULISCI)
        cleanup = self.session.wait_window("Pulizia file inutili", timeout=15)
        time.sleep(0.5)
        self.shot("cleanup.png")
        self.click_window(cleanup, PROSEGUI)
        wait_until(lambda: not os.path.exists(self.program.path("Musiche", "vecchia1.wav"))
                   and not os.path.exists(self.program.path("Musiche", "vecchia2.mp3")),
                   "Prosegui should delete both unused files")
        self.assertEqual(len(os.listdir(self.program.path("Musiche"))), 25,
                         "the songs in use must stay")
        self.click_window(cleanup, CHIUDI)
        wait_until(lambda: not self.session.windows("Pulizia file inutili"),
                   "Chiudi should close the cleanup window")

        # A right click on the name opens the file dialog; the song it replaces asks first.
        self.click_window(window, FIRST_NAME, button=3)
        dialog = self.session.wait_window("Scegli la canzone", timeout=15)
        self.session.xdotool("windowactivate", "--sync", dialog)
        time.sleep(0.5)
        self.session.xdotool("type", "--delay", "20", picked)
        time.sleep(0.5)
        self.session.xdotool("key", "Return")
        if self.session.windows("Scegli la canzone"):
            time.sleep(0.5)  # the first Return may only have closed the completer's list
            if self.session.windows("Scegli la canzone"):
                self.session.xdotool("key", "Return")
        self.answer("Opzioni", [window], "Return")  # "Sei sicuro di voler sostituire...": Yes
        wait_until(lambda: len(self.session.windows("Opzioni")) == 1,
                   "the question should close")
        self.shot("assigned.png")

        self.click_window(window, OK_BUTTON)
        self.answer("Zefiro", board, "Return")  # "Copia dei file eseguita con successo!"
        wait_until(lambda: not self.session.windows("Opzioni"),
                   "OK should close the options window")
        with open(self.program.path("Musiche", "nuova.wav"), "rb") as copied, \
                open(picked, "rb") as original:
            self.assertEqual(copied.read(), original.read())
        lines = self.program.read("Percorsi.ini").decode("utf-8").splitlines()
        self.assertIn("0=nuova.wav", lines)
        self.assertNotIn("0=song0.wav", lines)
        self.assertIn("1=song1.wav", lines)

    def test_cleanup_keeps_the_songs_of_both_paths_files(self):
        # The music pack is in use; the presenter's own songs are named only by Percorsi.ini.
        pack = ["[Spot]"] + [f"{slot}=pack{slot}.wav" for slot in range(25)]
        self.program.write("PercorsiZMP.ini", "\r\n".join(pack) + "\r\n")
        self.program.write("Impostazioni.ini", "usazmp=1\r\nveragg=0\r\n")
        for slot in range(25):
            tone_wav(self.program.path("Musiche", f"pack{slot}.wav"), amplitude=0)
        tone_wav(self.program.path("Musiche", "vecchia.wav"), amplitude=0)
        # A name that is not UTF-8, as a copy from an old system leaves it.
        latin1 = os.path.join(os.fsencode(self.program.path("Musiche")), b"caf\xe9.wav")
        tone_wav(latin1, amplitude=0)
        window = self.open_songs_tab()

        self.click_window(window, PULISCI)
        cleanup = self.session.wait_window("Pulizia file inutili", timeout=15)
        time.sleep(0.5)
        self.shot("cleanup-pack.png")
        self.click_window(cleanup, PROSEGUI)
        wait_until(lambda: not os.path.exists(self.program.path("Musiche", "vecchia.wav")),
                   "Prosegui should delete the unused file")
        time.sleep(1.0)
        left = set(os.listdir(self.program.path("Musiche")))
        for slot in range(25):
            self.assertIn(f"song{slot}.wav", left, "a song of Percorsi.ini was deleted")
            self.assertIn(f"pack{slot}.wav", left, "a song of PercorsiZMP.ini was deleted")
        self.assertFalse(os.path.exists(latin1), "the file named in Latin-1 should be deleted")
        self.assertEqual(len(left), 50)
        self.click_window(cleanup, CHIUDI)
        wait_until(lambda: not self.session.windows("Pulizia file inutili"),
                   "Chiudi should close the cleanup window")


if __name__ == "__main__":
    unittest.main()
