"""Equal loudness on the real executable with real sound: two tones 12 dB apart, played with
"Uniforma il volume dei brani" on. The first time each plays at its own level (it is not
analysed yet) and is analysed in the background; played again, both reach the sound server's
monitor within 1 dB of each other."""

import math
import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from xsession import tone_wav  # noqa: E402
from soundsession import RATE, SoundTest, first_sound, holds_sound  # noqa: E402
from tst_playback import MINI_PLAY, STRIP  # noqa: E402

LOUD_DB, SOFT_DB = -9.0, -21.0


class EqualLoudness(SoundTest):
    def setUp(self):
        super().setUp()
        for name, peak_db in (("loud", LOUD_DB), ("soft", SOFT_DB)):
            tone_wav(self.program.path("Musiche", f"{name}.wav"), 12.0,
                     amplitude=32767 * 10 ** (peak_db / 20), rate=RATE)
        with open(self.program.path("Percorsi.ini"), encoding="utf-8", newline="") as f:
            paths = f.read()
        for slot, name in ((0, "loud"), (1, "soft"), (2, "loud"), (3, "soft")):
            paths = paths.replace(f"\r\n{slot}=song{slot}.wav\r\n", f"\r\n{slot}={name}.wav\r\n")
        self.program.write("Percorsi.ini", paths)
        self.program.write("Impostazioni.ini", "usazmp=0\r\nveragg=0\r\nautoplay=0\r\n"
                           "ckvolprinc=1\r\nvolprinc=100\r\nuniformavolume=1\r\n")

    def play_level(self, board, index):
        """The steady level (RMS) at the monitor of the song of Spot (index + 1) * 10."""
        window, origin = self.open_number(board, index,
                                          f"Riproduzione  Spot {(index + 1) * 10}  00,0%",
                                          settle=1.5)
        self.click_in(origin, STRIP, MINI_PLAY)
        # The player's stream may be there, corked, from the moment the song is loaded.
        self.wait_for("a stream playing into the null sink",
                      self.pulse.playing_streams, 10)
        self.record()
        level = self.stop_recording("three seconds of the song", lambda lv: holds_sound(lv, 25))
        first = first_sound(level)
        steady = sorted(level[first + 5:first + 25])
        self.session.xdotool("mousemove", origin[0] + 200, origin[1] + 100)
        self.session.close_window(window)
        time.sleep(1.0)
        return steady[len(steady) // 2]

    def test_levelled_songs_reach_the_monitor_equally_loud(self):
        board = self.start_board()

        own = [self.play_level(board, 0), self.play_level(board, 1)]
        apart = 20 * math.log10(own[0] / own[1])
        self.assertAlmostEqual(apart, LOUD_DB - SOFT_DB, delta=1.0,
                               msg=f"not analysed yet, each plays at its own level: {own}")
        analyses = self.wait_for("both songs in Analisi.ini", lambda: os.path.exists(
            self.program.path("Analisi.ini")) and len(
                self.program.read("Analisi.ini").splitlines()) == 2, 20)
        self.assertTrue(analyses)

        levelled = [self.play_level(board, 2), self.play_level(board, 3)]
        apart = 20 * math.log10(levelled[0] / levelled[1])
        print(f"at the monitor: own levels {own[0]:.0f} / {own[1]:.0f}, levelled "
              f"{levelled[0]:.0f} / {levelled[1]:.0f} ({apart:+.2f} dB)", file=sys.stderr)
        self.assertLess(abs(apart), 1.0, f"levelled, the songs differ by {apart:.2f} dB: "
                        f"{levelled}")
        # Both meet at the target: the soft song raised by a little less than the most boost
        # allowed (6 dB), the loud one lowered by a little more.
        raised = 20 * math.log10(levelled[1] / own[1])
        self.assertAlmostEqual(raised, 5.5, delta=1.0, msg=f"{own} then {levelled}")

        self.end_normally()


if __name__ == "__main__":
    unittest.main(verbosity=2)
