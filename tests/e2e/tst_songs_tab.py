"""The real executable's songs tab: "Pulisci" deletes the unused songs of Musiche and nothing
else, and a song picked outside the program folder through the file dialog is copied into
Musiche and named in Percorsi.ini once "OK" is pressed, under a name of its own that the next
start reads back."""

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
CELL_PITCH = 56  # from one cell's name to the next one's
PULISCI = (267, 457)
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

    def answer(self, title, known, key, shot=None):
        """Answers the message titled title that is not one of the known windows with key, and
        returns once it has closed; with shot, the screen is saved under that name first."""
        others = wait_until(lambda: [w for w in self.session.windows(title) if w not in known],
                            f"a message titled {title!r} was expected")
        if shot:
            time.sleep(0.5)
            self.shot(shot)
        self.session.press(others[0], key)
        wait_until(lambda: others[0] not in self.session.windows(title),
                   f"the message titled {title!r} should close")

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
        self.choose(window, 0, picked, boxes=1)
        self.shot("assigned.png")

        self.apply_with_ok(window, board)
        self.assertSong("nuova.wav", picked)
        lines = self.program.read("Percorsi.ini").decode("utf-8").splitlines()
        self.assertIn("0=nuova.wav", lines)
        self.assertNotIn("0=song0.wav", lines)
        self.assertIn("1=song1.wav", lines)

    def test_same_name_from_two_folders(self):
        picked = []
        for folder, seconds in (("a", 1.0), ("b", 2.0)):
            os.mkdir(os.path.join(self.outside, folder))
            picked.append(os.path.join(self.outside, folder, "track.wav"))
            tone_wav(picked[-1], seconds, amplitude=0)
        window = self.open_songs_tab()
        board = self.session.windows("Zefiro")
        self.choose(window, 0, picked[0], boxes=1)  # "Sei sicuro...": Yes
        self.choose(window, 1, picked[1], boxes=2)  # and "... già usato ...": OK
        self.apply_with_ok(window, board)
        self.assertSong("track.wav", picked[0])
        self.assertSong("track(0).wav", picked[1])
        self.assertEqual(self.slot_names()[:2], ["track.wav", "track(0).wav"])

    def test_names_that_would_not_read_back(self):
        names = ["  lead.wav", "trail.wav  ", "x" * 246 + ".wav"]
        picked = [os.path.join(self.outside, name) for name in names]
        for seconds, path in enumerate(picked, start=1):
            tone_wav(path, seconds, amplitude=0)
        window = self.open_songs_tab()
        board = self.session.windows("Zefiro")
        for cell, path in enumerate(picked):
            self.choose(window, cell, path, boxes=2)  # "Sei sicuro...", then the new name
        self.apply_with_ok(window, board)
        # Each slot's name, as the next start reads it, is the song that was picked.
        stored = self.slot_names()[:3]
        self.assertEqual(stored[:2], ["lead.wav", "trail.wav"])
        for name, path in zip(stored, picked):
            self.assertSong(name, path)

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

    def choose(self, window, cell, path, boxes):
        """Gives the cell (0 for 10 points) the file at path through the file dialog, then
        answers the boxes titled "Opzioni" that follow with Return, one after the other; the
        screen is saved as it shows the last one."""
        self.choose_file(window, (FIRST_NAME[0], FIRST_NAME[1] + cell * CELL_PITCH), path)
        for box in range(1, boxes + 1):
            self.answer("Opzioni", [window], "Return",
                        shot=f"choice{cell}.png" if box == boxes else None)
        time.sleep(0.5)
        self.assertEqual(self.session.windows("Opzioni"), [window], "no further box expected")

    def apply_with_ok(self, window, board):
        self.click_window(window, OK_BUTTON)
        self.answer("Zefiro", board, "Return")  # "Copia dei file eseguita con successo!"
        wait_until(lambda: not self.session.windows("Opzioni"),
                   "OK should close the options window")

    def assertSong(self, name, picked):
        with open(self.program.path("Musiche", name), "rb") as copied, \
                open(picked, "rb") as original:
            self.assertEqual(copied.read(), original.read(), name)

    def slot_names(self):
        """The 25 names of Percorsi.ini as the program reads them back: the value of each slot's
        line, blanks at either end removed."""
        names = {}
        for line in self.program.read("Percorsi.ini").decode("utf-8").splitlines():
            key, sep, value = line.partition("=")
            if sep and key.isdigit():
                names.setdefault(int(key), value.strip())
        return [names.get(slot, "") for slot in range(25)]


if __name__ == "__main__":
    unittest.main()
