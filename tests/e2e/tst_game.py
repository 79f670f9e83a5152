"""The game of three teams on the real executable: the teams come from a hand-written
Squadre.ini, the scores are read back through the accessibility tree (as a screen reader reads
them) and from Punteggi.sav, a buzzer press rings the bell and pauses the song at the sound
server, and a SIGKILL keeps the scores for the next start."""

import os
import re
import signal
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from atspi import attach  # noqa: E402
from xsession import number_box, tone_wav, wait_until  # noqa: E402
from soundsession import SoundTest, first_sound  # noqa: E402

TEAMS = "1=Rossi;#E02020;A\r\n2=Blu;#2050FF;B\r\n3=Verdi;#20A040;C\r\n"
APP = "Zefiro"


class GameOnTheBoard(SoundTest):
    def setUp(self):
        super().setUp()
        self.bus = attach(self)
        self.program.write("Squadre.ini", TEAMS)
        tone_wav(self.program.path("Musiche", "song0.wav"), 20.0, amplitude=0)
        tone_wav(self.program.path("Musiche", "song1.wav"), 20.0)

    def names(self):
        return {node["name"] for node in self.bus.nodes(APP)}

    def wait_name(self, name, timeout=20):
        return wait_until(lambda: name in self.names(),
                          f"{name!r} in the accessibility tree within {timeout} s", timeout)

    def scores_file(self):
        return self.program.read("Punteggi.sav").decode()

    def board_window(self):
        return self.session.wait_window("Zefiro")

    def play_and_close(self, board, index, caption):
        """Plays Spot (index + 1) * 10 and brings back the board: Esc stops, Esc closes."""
        window, _ = self.open_number(board, index, caption)
        # A song that has ended already closes at the first Esc.
        for _ in range(3):
            if window not in self.session.windows():
                break
            self.session.press(window, "Escape")
            time.sleep(1.5)
        wait_until(lambda: window not in self.session.windows(), "the playback window closed", 15)

    def test_award_undo_and_crash(self):
        board = self.start_board()
        self.wait_name("Rossi: 0 punti")
        self.assertTrue({"Blu: 0 punti", "Verdi: 0 punti"} <= self.names())
        self.play_and_close(board, 0, "Riproduzione  Spot 10.*")

        self.session.press(self.board_window(), "a")
        self.wait_name("Rossi: 10 punti")
        self.assertIn("+10 Rossi", self.names())
        self.assertIn("punti=10;0;0\r\n", self.scores_file())
        self.shot("game-board.png")

        self.session.press(self.board_window(), "ctrl+z")
        self.wait_name("Rossi: 0 punti")
        self.assertIn("punti=0;0;0\r\nfatti=0\r\n", self.scores_file())
        self.session.press(self.board_window(), "ctrl+y")
        self.wait_name("Rossi: 10 punti")
        self.session.press(self.board_window(), "shift+c")
        self.wait_name("Verdi: -10 punti")

        # A crash keeps the game; the next start shows it again with the played number.
        self.program.stop(signal.SIGKILL)
        self.assertIn("punti=10;0;-10\r\nfatti=2\r\n", self.scores_file())
        self.start_board()
        self.wait_name("Rossi: 10 punti")
        self.assertIn("Verdi: -10 punti", self.names())
        self.assertIn(b"sp", self.program.read("Ripristino.sav"))

        # A normal end by signal writes the standing and lets the scores go.
        self.end_normally(signal.SIGTERM)
        self.assertFalse(os.path.exists(self.program.path("Punteggi.sav")))
        standing = self.program.read("Classifiche.txt").decode()
        self.assertRegex(standing, r"^Partita del \d\d/\d\d/\d{4} alle \d\d:\d\d\r\n"
                                   r"1\. Rossi: 10 punti\r\n2\. Blu: 0 punti\r\n"
                                   r"3\. Verdi: -10 punti\r\n\r\n$")

    def test_buzzer_pauses_the_song(self):
        board = self.start_board()
        self.wait_name("Rossi: 0 punti")
        recording = self.record()
        window, _ = self.open_number(board, 1, "Riproduzione  Spot 20.*")
        wait_until(lambda: first_sound(recording.levels()) is not None, "the song's sound", 20)
        time.sleep(1.0)
        baseline = max(recording.levels())
        self.session.press(window, "b")
        self.wait_name("Prenotata: Blu")

        # The bell rings, far louder than the quiet song, and the song pauses: a second of
        # silence follows well before its 20 s are over.
        def bell_then_quiet(level):
            bell = next((i for i, v in enumerate(level) if v > 3 * baseline), None)
            return bell is not None and any(
                all(v < 0.05 * baseline for v in level[i:i + 10])
                for i in range(bell + 1, len(level) - 9))
        self.stop_recording("the bell and a second of silence after the press", bell_then_quiet,
                            timeout=8)
        self.assertIn(window, self.session.windows())

        # Another team's key is refused while Blu has the answer.
        self.session.press(window, "a")
        time.sleep(1.0)
        names = self.names()
        self.assertIn("Prenotata: Blu", names)
        self.assertNotIn("Prenotata: Rossi", names)
        self.shot("game-booking.png")

        self.session.press(window, "Return")
        wait_until(lambda: re.search(r"punti=0;20;0\r\n", self.scores_file()),
                   "Blu's 20 points in Punteggi.sav", 15)
        self.assertIn("passo=giusta;1;1;20;", self.scores_file())


if __name__ == "__main__":
    unittest.main()
