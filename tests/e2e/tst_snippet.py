"""A number that plays a snippet of its song, on the real executable with real sound. The song
is a tone whose pitch climbs a step every second, so the pitch heard tells where in the song
playback is: the first sound must be the start point's second, and the song must fade out
after the end point's second, over the stop fade's time, to silence."""

import math
import os
import struct
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from soundsession import CHUNK, RATE, SoundTest, first_sound  # noqa: E402
from tst_fade import fade_span  # noqa: E402
from tst_playback import CAPTION, MINI_PLAY, STRIP  # noqa: E402
from tst_options import OK_BUTTON  # noqa: E402
from tst_songs_tab import SONGS_TAB  # noqa: E402
from xsession import wait_until  # noqa: E402

START_S, END_S = 20, 26                  # the snippet, in seconds of the song
# Inside the options window, from the corner the window manager reports.
FIRST_PLAY = (102, 108)                  # the play glyph of the cell worth 10 points
INIZIO = (60, 396)                       # under the preview
FADE_SECONDS = 16 - 13                   # abbvolume 13


def pitch_at(second):
    return 300 + 40 * second


def staircase_wav(path, seconds, amplitude=3000):
    """A mono 16-bit WAV at the monitor's rate whose pitch is pitch_at(s) during second s.
    The phase runs on across the steps, so a step makes no click of its own."""
    data, phase = bytearray(), 0.0
    for i in range(seconds * RATE):
        phase += 2 * math.pi * pitch_at(i // RATE) / RATE
        data += struct.pack("<h", int(amplitude * math.sin(phase)))
    header = b"RIFF" + struct.pack("<I", 36 + len(data)) + b"WAVEfmt " + struct.pack(
        "<IHHIIHH", 16, 1, 1, RATE, RATE * 2, 2, 16) + b"data" + struct.pack("<I", len(data))
    with open(path, "wb") as f:
        f.write(header + bytes(data))


def pitch(samples):
    """The frequency of a steady tone, from its zero crossings."""
    crossings = sum(1 for a, b in zip(samples, samples[1:]) if (a < 0) != (b < 0))
    return crossings / 2 * RATE / len(samples)


class Snippet(SoundTest):
    def setUp(self):
        super().setUp()
        staircase_wav(self.program.path("Musiche", "song0.wav"), 40)
        self.program.write("Impostazioni.ini", "usazmp=0\r\nveragg=0\r\nautoplay=0\r\n"
                           "abbvolume=13\r\nckvolprinc=1\r\nvolprinc=100\r\n")
        self.program.write("Estratti.ini", f"0={START_S * 1000};{END_S * 1000};song0.wav\r\n")

    def test_inizio_takes_the_preview_position(self):
        os.remove(self.program.path("Estratti.ini"))
        window = self.open_options(self.start_board())
        self.click_window(window, SONGS_TAB)
        time.sleep(0.5)
        self.click_window(window, FIRST_PLAY)
        self.wait_for("the preview's stream", self.pulse.playing_streams, 10)
        time.sleep(2.0)
        self.click_window(window, INIZIO)
        time.sleep(0.5)
        self.shot("snippet-songs-tab.png")
        self.click_window(window, OK_BUTTON)
        wait_until(lambda: not self.session.windows("Opzioni"), "OK should close the options")
        written = self.program.read("Estratti.ini").decode()
        slot, start, end, name = written.replace("=", ";").strip().split(";")
        self.assertEqual((slot, end, name), ("0", "0", "song0.wav"), written)
        self.assertTrue(1000 <= int(start) <= 6000, written)
        self.end_normally()

    def test_snippet_starts_at_its_point_and_fades_at_its_end(self):
        board = self.start_board()
        _window, origin = self.open_number(board, 0, CAPTION, settle=1.5)
        self.record()
        self.click_in(origin, STRIP, MINI_PLAY)
        self.wait_for("a stream on the null sink", self.pulse.playing_streams, 10)
        recorder = self.recorder
        level = self.stop_recording(
            "the snippet and its fade", lambda lv: fade_span(lv)[2] is not None,
            timeout=END_S - START_S + FADE_SECONDS + 20)
        samples = memoryview(bytes(recorder.raw)[:len(level) * CHUNK * 2]).cast("h").tolist()
        first = first_sound(level)
        # The first whole 100 ms of sound is the start point's second, not the song's first.
        heard = pitch(samples[(first + 1) * CHUNK:(first + 3) * CHUNK])
        self.assertLess(abs(heard - pitch_at(START_S)), 15,
                        f"playback began at {heard:.0f} Hz, the start point plays "
                        f"{pitch_at(START_S)} Hz")

        baseline, start, silent, lost = fade_span(level)
        self.assertGreater(baseline, 500, f"the snippet should be heard: {level}")
        # The song's own time is heard in its pitch: the end point is where the end point's
        # second begins. The fade must begin there (the player looks ten times a second), not
        # before: until then the snippet plays at its full level.
        pitches = [round(pitch(samples[i * CHUNK:(i + 1) * CHUNK])) for i in range(len(level))]
        boundary = next((i for i in range(first, len(level))
                         if abs(pitches[i] - pitch_at(END_S)) < 8), None)
        self.assertIsNotNone(boundary, f"the end point was never reached: {pitches}")
        self.assertTrue(0 <= start - boundary <= 6,
                        f"the end point was reached at chunk {boundary}, the fade began at "
                        f"{start}: {pitches[first:]} {[round(v) for v in level[first:]]}")
        steady = [v for i, v in enumerate(level[first + 2:boundary], first + 2) if i not in lost]
        self.assertGreater(min(steady), 0.9 * baseline,
                           f"the snippet faded before its end point: {[round(v) for v in level]}")
        played = (boundary - first) / 10
        self.assertTrue(END_S - START_S - 1.0 <= played <= END_S - START_S + 1.0,
                        f"the end point came after {played:.1f} s of sound")
        duration = (silent - start) / 10
        self.assertTrue(FADE_SECONDS - 1.5 <= duration <= FADE_SECONDS + 1.0,
                        f"the fade took {duration:.1f} s: {[round(v) for v in level]}")
        self.end_normally()


if __name__ == "__main__":
    unittest.main(verbosity=2)
