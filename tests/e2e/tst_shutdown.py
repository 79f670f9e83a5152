"""The real executable ended by the system (SIGTERM, SIGINT, SIGHUP) while a box or a window of
the options window is up: it ends as the board's own close does, with status 0, the restore and
song-check files removed and the settings written, and nothing said about memory."""

import os
import signal
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from xsession import BoardTest, number_box, tone_wav, wait_until  # noqa: E402
from tst_options import ANNULLA_BUTTON, OK_BUTTON  # noqa: E402
from tst_songs_tab import FIRST_NAME, PULISCI, SONGS_TAB  # noqa: E402

AVANZATE_TAB = (371, 4)
RIPETI_IL_FILE = (40, 116)


class Shutdown(BoardTest):
    SCREEN = (1024, 768)

    def others(self, title, known):
        return [w for w in self.session.windows(title) if w not in known]

    def copy_message(self, window, board):
        picked = os.path.join(self.program.tmp.name, "nuova.wav")
        tone_wav(picked, amplitude=0)
        self.click_window(window, SONGS_TAB)
        self.choose_file(window, FIRST_NAME, picked)
        question = wait_until(lambda: self.others("Opzioni", [window]),
                              "the replace question was expected")
        self.session.press(question[0], "Return")  # "Sei sicuro di voler sostituire...": Yes
        wait_until(lambda: len(self.session.windows("Opzioni")) == 1, "the question should close")
        self.click_window(window, OK_BUTTON)
        wait_until(lambda: self.others("Zefiro", board),
                   "\"Copia dei file eseguita con successo!\" was expected")

    def cancel_question(self, window, _board):
        self.click_window(window, AVANZATE_TAB)
        self.click_window(window, RIPETI_IL_FILE)
        self.click_window(window, ANNULLA_BUTTON)
        wait_until(lambda: self.others("Opzioni", [window]), "the \"Annulla\" question was expected")

    def cleanup_window(self, window, _board):
        self.click_window(window, SONGS_TAB)
        self.click_window(window, PULISCI)
        self.session.wait_window("Pulizia file inutili", timeout=15)

    def file_dialog(self, window, _board):
        self.click_window(window, SONGS_TAB)
        self.click_window(window, FIRST_NAME, button=3)
        self.session.wait_window("Scegli la canzone", timeout=15)

    def test_a_signal_over_an_open_box_ends_normally(self):
        cases = [("copy message", self.copy_message, signal.SIGTERM),
                 ("cancel question", self.cancel_question, signal.SIGINT),
                 ("cleanup window", self.cleanup_window, signal.SIGHUP),
                 ("file dialog", self.file_dialog, signal.SIGTERM)]
        for name, open_box, sig in cases:
            with self.subTest(name):
                os.remove(self.program.path("Impostazioni.ini"))
                self.program.write("Impostazioni.ini", "usazmp=0\r\nveragg=0\r\n")
                geometry = self.start_board()
                board = self.session.windows("Zefiro")
                self.session.click_centre(number_box(geometry, 2, 1), 3)
                wait_until(lambda: os.path.exists(self.program.path("Ripristino.sav")),
                           "the mark should be recorded")
                self.program.write("CheckCanzoni.ini", "3;\r\n")
                open_box(self.open_options(geometry), board)
                time.sleep(0.5)
                self.shot(f"shutdown-{name.replace(' ', '-')}.png")

                code, out = self.program.stop(sig)
                self.assertEqual(code, 0, out)
                for word in ("free", "corruption", "Aborted"):
                    self.assertNotIn(word, out)
                self.assertFalse(os.path.exists(self.program.path("Ripristino.sav")))
                self.assertFalse(os.path.exists(self.program.path("CheckCanzoni.ini")))
                self.assertIn(b"indextema=", self.program.read("Impostazioni.ini"),
                              "the settings must be written at the end")


if __name__ == "__main__":
    unittest.main(verbosity=2)
