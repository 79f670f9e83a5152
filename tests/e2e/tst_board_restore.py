"""The real executable: marks made with right clicks survive SIGKILL and are shown again at the
next start; SIGTERM ends the run normally and leaves the files of a normal end."""

import os
import signal
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from xsession import BoardTest, count_colour, number_box  # noqa: E402

RED = (255, 0, 0)
MARKED = [(0, 0), (3, 2), (4, 4)]     # Spot 10, Ballo 30, Scelte dagli Educatori 50
UNMARKED = [(1, 1), (2, 3)]
WRITTEN_DEFAULTS = ("indextema=0\r\ncommpercorsi=0\r\nriprodcontinua=0\r\nwmpsemprevisib=1\r\n"
                    "autoplay=1\r\nvolprinc=50\r\nckvolprinc=1\r\nallungacella=1\r\nabbvolume=3\r\n"
                    "sfumadx=1\r\nveragg=0\r\ncleanpath=0\r\nusazmp=2\r\n")
# usazmp=0 with no music pack in the folder reads back as "not decided" (2).


class BoardRestore(BoardTest):
    def red_pixels(self, shot, geometry, number):
        return count_colour(shot, number_box(geometry, *number), RED)

    def test_marks_survive_a_crash_and_a_normal_end_cleans_up(self):
        geometry = self.start_board()
        self.assertGreater(geometry[2], 600, "the board should open maximised")
        for number in MARKED:
            self.session.click_centre(number_box(geometry, *number), 3)
        time.sleep(0.5)
        saved = self.program.read("Ripristino.sav")
        self.assertEqual(saved, b"sp0\r\nba2\r\nse4\r\n")

        self.program.stop(signal.SIGKILL)
        self.assertEqual(self.program.read("Ripristino.sav"), saved)

        geometry = self.start_board()
        self.session.xdotool("mousemove", 5, geometry[3] - 5)  # away from every number
        time.sleep(0.5)
        shot = self.shot("board-restored.png")
        for number in MARKED:
            self.assertGreater(self.red_pixels(shot, geometry, number), 30,
                               f"number {number} should be red after the restart (window {geometry})")
        for number in UNMARKED:
            self.assertEqual(self.red_pixels(shot, geometry, number), 0,
                             f"number {number} should not be red")

        # A song check list left from the start must go with a normal end.
        self.program.write("CheckCanzoni.ini", "3;\r\n")
        self.end_normally()
        self.assertFalse(os.path.exists(self.program.path("Ripristino.sav")))
        self.assertFalse(os.path.exists(self.program.path("CheckCanzoni.ini")))
        self.assertEqual(self.program.read("Impostazioni.ini").decode("utf-8"), WRITTEN_DEFAULTS)

    def test_sigint_and_sighup_end_normally_too(self):
        for sig in (signal.SIGINT, signal.SIGHUP):
            with self.subTest(signal=sig):
                geometry = self.start_board()
                self.session.click_centre(number_box(geometry, 1, 4), 3)
                time.sleep(0.3)
                self.assertEqual(self.program.read("Ripristino.sav"), b"ca4\r\n")
                self.end_normally(sig)
                self.assertFalse(os.path.exists(self.program.path("Ripristino.sav")))


if __name__ == "__main__":
    unittest.main(verbosity=2)
