"""A fade-out stop on the real executable with real sound: a private PulseAudio with a null sink
takes the song, a right click on the mini stop button fades it out, and the level of what the
sink receives falls step by step to silence before the stream ends.

The player's volume is applied to the samples inside the player (GStreamer's volume element),
not to the stream's volume on the sound server: the sink input keeps its volume while the song
fades. So the fade is measured on the null sink's monitor, and the sink input is watched only
to see the stream go."""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from xsession import tone_wav  # noqa: E402
from soundsession import SoundTest, first_sound, holds_sound  # noqa: E402
from tst_playback import CAPTION, MINI_PLAY, STRIP  # noqa: E402

MINI_STOP = (498 + 14, 28 + 9)          # in the strip
FADE_SECONDS = 16 - 11                  # abbvolume 11
GAP_CHUNKS = 5                          # half a second


def lost_chunks(level, baseline):
    """Chunks of samples lost between the player and the recording on a busy machine: each run
    of silence shorter than half a second that sound follows, and the chunk on either side of
    it, which holds part of the run."""
    quiet = [v < 0.02 * baseline for v in level]
    lost, i = set(), 0
    while i < len(level):
        j = i
        while j < len(level) and quiet[j]:
            j += 1
        if i < j < len(level) and j - i < GAP_CHUNKS:
            lost.update(range(max(i - 1, 0), j + 1))
        i = max(j, i + 1)
    return lost


def fade_span(level):
    """(baseline, start, silent, lost) of a fade in the levels: silent is the first of half a
    second of silence; start or silent are None while the recording does not hold them yet."""
    first = first_sound(level)
    if first is None or len(level) < first + 9:
        return None, None, None, set()
    baseline = sorted(level[first + 2:first + 9])[3]
    lost = lost_chunks(level, baseline)
    start = next((i for i, v in enumerate(level)
                  if i > first + 9 and i not in lost and v < 0.9 * baseline), None)
    silent = None if start is None else next(
        (i for i in range(start + 1, len(level) - GAP_CHUNKS + 1)
         if all(v < 0.02 * baseline for v in level[i:i + GAP_CHUNKS])), None)
    return baseline, start, silent, lost


class FadeOut(SoundTest):
    def setUp(self):
        super().setUp()
        tone_wav(self.program.path("Musiche", "song0.wav"), 40.0)
        tone_wav(self.program.path("Musiche", "song1.wav"), 20.0)
        self.program.write("Impostazioni.ini", "usazmp=0\r\nveragg=0\r\nautoplay=0\r\n"
                           "sfumadx=1\r\nabbvolume=11\r\nckvolprinc=1\r\nvolprinc=100\r\n")

    def test_right_click_on_stop_fades_the_song_out(self):
        board = self.start_board()
        window, origin = self.open_number(board, 0, CAPTION, settle=1.5)

        self.click_in(origin, STRIP, MINI_PLAY)
        inputs = self.wait_for("a stream on the null sink", self.pulse.playing_streams, 10)
        stream, _corked, stream_volume = inputs[0]

        self.record()
        # The fade is measured against the level before it: the recording must hold a while
        # of the song before the stop.
        self.wait_for("the song in the recording", lambda: holds_sound(self.recorder.levels(), 15), 20)
        self.click_in(origin, STRIP, MINI_STOP, button=3)
        # The stream stays while the song fades, and goes (the player here corks it) once it
        # stops.
        ended, seen_volumes = self.watch_stream(stream, time.time(), FADE_SECONDS + 6)
        self.assertIsNotNone(ended, "the stream did not end after the fade")
        self.assertGreater(ended, FADE_SECONDS - 1.0, f"the stream ended too soon: {ended:.1f} s")
        # The server's volume of the stream takes no part in the fade.
        self.assertEqual(seen_volumes, {stream_volume})

        level = self.stop_recording("a fade to silence", lambda lv: fade_span(lv)[2] is not None)
        baseline, start, silent, lost = fade_span(level)
        self.assertGreater(baseline, 500, f"the song should be heard before the stop: {level}")
        duration = (silent - start) / 10
        self.assertTrue(FADE_SECONDS - 1.5 <= duration <= FADE_SECONDS + 1.0,
                        f"the fade took {duration:.1f} s: {[round(v) for v in level]}")
        # A few samples lost on the way are no part of the fade; many would hide a fade that
        # drops to silence and back.
        fading = [v for i, v in enumerate(level[start:silent], start) if i not in lost]
        self.assertGreaterEqual(len(fading), 0.8 * (silent - start),
                                f"too many samples lost: {[round(v) for v in level]}")
        # Step by step, never up again by more than a step's worth... (a chunk that lost part of
        # its samples dips below its neighbours, so each is compared with both before it)
        for k in range(1, len(fading)):
            self.assertLessEqual(fading[k], max(fading[max(k - 2, 0):k]) + 0.05 * baseline,
                                 f"the level rose during the fade: {[round(v) for v in fading]}")
        # ... and through the levels in between, not cut off. A steady fade spends four fifths
        # of its time there; on a busy machine some samples get lost between the player and the
        # recording, so three seconds of them are asked for.
        middle = [v for v in fading if 0.1 * baseline < v < 0.9 * baseline]
        self.assertGreaterEqual(len(middle), (FADE_SECONDS - 2) * 10,
                                f"too few levels between: {[round(v) for v in fading]}")

        # The next song starts at the volume from before the fade.
        self.session.xdotool("mousemove", origin[0] + 200, origin[1] + 100)
        # Closed as the frame's close box closes it.
        self.session.close_window(window)
        time.sleep(1.0)
        _window, origin = self.open_number(board, 1, "Riproduzione  Spot 20  00,0%", settle=1.5)
        self.click_in(origin, STRIP, MINI_PLAY)
        self.wait_for("a stream for the next song",
                      lambda: [i for i in self.pulse.playing_streams() if i[0] != stream], 10)
        self.record()
        next_level = self.stop_recording(
            "a second of the next song", lambda lv: holds_sound(lv, 10))
        first = first_sound(next_level)
        steady = sorted(next_level[first + 2:first + 9])
        again = steady[len(steady) // 2]
        self.assertLess(abs(again - baseline), 0.1 * baseline,
                        f"the next song plays at {again:.0f}, the first did at {baseline:.0f}")

        self.end_normally()


if __name__ == "__main__":
    unittest.main(verbosity=2)
