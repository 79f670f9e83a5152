"""The show from the keyboard on the real executable with real sound: the arrows put the focus
frame on "Spot 20", Enter plays it (a stream appears on a private PulseAudio), Esc fades it out
(the stream stays for the fade, then goes), a second Esc closes the playback window, and the
board shows the number marked and has recorded it."""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from xsession import count_colour, number_box, tone_wav  # noqa: E402
from soundsession import SoundTest  # noqa: E402

FRAME = (255, 255, 255)
RED = (255, 0, 0)
FADE_SECONDS = 16 - 13                  # abbvolume 13


class Keyboard(SoundTest):
    def setUp(self):
        super().setUp()
        tone_wav(self.program.path("Musiche", "song1.wav"), 40.0)
        self.program.write("Impostazioni.ini", "usazmp=0\r\nveragg=0\r\nautoplay=1\r\n"
                           "sfumadx=0\r\nabbvolume=13\r\n")

    def player_windows(self):
        return self.session.windows("Riproduzione.*")

    def key(self, name):
        self.session.xdotool("key", name)
        time.sleep(0.3)

    def pixels(self, name, box, rgb, grow=0):
        shot = self.shot(name)
        x0, y0, x1, y1 = box
        return count_colour(shot, (x0 - grow, y0 - grow, x1 + grow, y1 + grow), rgb)

    def test_enter_esc_esc_plays_fades_and_marks_the_number(self):
        board = self.start_board()
        board_window = self.session.wait_window("Zefiro")
        # The pointer rests away from the numbers; the presenter uses the keyboard only.
        self.session.xdotool("mousemove", "--sync", 5, board[3] - 5)
        self.session.xdotool("windowactivate", "--sync", board_window)
        spot20 = number_box(board, 0, 1)
        self.assertEqual(self.pixels("keys-before.png", spot20, FRAME, 8), 0)

        self.key("Right")  # the frame appears on Spot 10
        self.key("Right")  # and moves to Spot 20
        framed = self.pixels("keys-frame.png", spot20, FRAME, 8)
        self.assertGreater(framed, 100, "no focus frame around Spot 20")
        self.assertEqual(self.pixels("keys-frame.png", number_box(board, 0, 0), FRAME, 4), 0,
                         "the frame stayed on Spot 10")

        self.key("Return")
        self.wait_for("the playback window", self.player_windows, 20)
        inputs = self.wait_for("a stream on the null sink", self.pulse.playing_streams, 15)
        stream = inputs[0][0]
        time.sleep(1.0)

        self.key("Escape")
        ended, _volumes = self.watch_stream(stream, time.time(), FADE_SECONDS + 8)
        self.assertIsNotNone(ended, "the stream did not end after the fade")
        self.assertGreater(ended, FADE_SECONDS - 1.0, f"no fade: the stream ended in {ended:.1f} s")
        self.assertTrue(self.player_windows(), "Esc on a playing song closed the window")

        self.key("Escape")
        self.wait_for("the playback window to close", lambda: not self.player_windows(), 10)
        time.sleep(1.0)
        self.assertGreater(self.pixels("keys-marked.png", spot20, RED), 30,
                           "Spot 20 is not marked after the song")
        self.assertIn(b"sp1", self.program.read("Ripristino.sav"))

        self.end_normally()
        print(f"fade to the stream's end: {ended:.1f} s", flush=True)


if __name__ == "__main__":
    unittest.main(verbosity=2)
