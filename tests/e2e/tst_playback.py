"""The real executable plays a number: a left click on "Spot 10" opens the playback window with
its caption, the song plays (the caption's percentage moves on), the panel slides up, a video
plays in the docked video area, the close button ends the window and the board records the
number in Ripristino.sav."""

import os
import re
import shutil
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from xsession import BoardTest, count_colour, tone_wav, wait_until  # noqa: E402

CAPTION = "Riproduzione  Spot 10  00,0%"
PANEL_COLOUR = (38, 42, 50)

# The playback window's designed layout, in pixels of its client area.
STRIP = (13, 436)                       # the strip's corner while the panel is hidden
PANEL = (24, 288)                       # the panel's corner while it is shown
MINI_PLAY = (470 + 14, 28 + 9)          # in the strip
SLIDE_UP = (443 + 13, 30 + 7)           # in the strip
CLOSE = (572 + 14, 99 + 14)             # on the panel
BIG_PLAY = (421 + 28, 24 + 28)          # on the panel


def percent(caption):
    found = re.search(r"  (\d+,\d)%", caption)
    return float(found.group(1).replace(",", ".")) if found else None


class Playback(BoardTest):
    def setUp(self):
        super().setUp()
        tone_wav(self.program.path("Musiche", "song0.wav"), 8.0)
        self.assertIsNotNone(shutil.which("gst-launch-1.0"), "gst-launch-1.0 makes the test video")
        subprocess.run(["gst-launch-1.0", "-q", "videotestsrc", "num-buffers=250",
                        "!", "video/x-raw,width=320,height=240,framerate=25/1", "!", "jpegenc",
                        "!", "avimux", "!", "filesink",
                        "location=" + self.program.path("Musiche", "clip.avi")],
                       check=True, timeout=60)
        paths = self.program.read("Percorsi.ini").replace(b"1=song1.wav", b"1=clip.avi")
        self.program.write("Percorsi.ini", paths.decode("utf-8"))
        # The song starts from the window's own play button, so the first caption can be read.
        self.program.write("Impostazioni.ini", "usazmp=0\r\nveragg=0\r\nautoplay=0\r\n")

    def caption(self, window):
        return self.session.xdotool("getwindowname", window).strip()

    def wait_panel_shown(self, geometry):
        box = (geometry[0] + PANEL[0] + 250, geometry[1] + PANEL[1] + 4,
               geometry[0] + PANEL[0] + 280, geometry[1] + PANEL[1] + 8)
        wait_until(lambda: count_colour(self.shot("panel-wait.png"), box, PANEL_COLOUR) > 50,
                   "the control panel did not slide up", 5)

    def test_a_number_plays_its_song_and_is_recorded(self):
        board = self.start_board()
        window, geometry = self.open_number(board, 0, CAPTION)
        self.assertEqual(geometry[2:], (659, 490), "the window keeps its designed size")
        self.shot("player-ready.png")
        self.assertFalse(os.path.exists(self.program.path("Ripristino.sav")),
                         "the number is recorded once the window has closed")

        self.click_in(geometry, STRIP, MINI_PLAY)
        seen, deadline = [], time.time() + 10
        while time.time() < deadline and (len(seen) < 2 or seen[-1] <= seen[0]):
            time.sleep(0.5)
            value = percent(self.caption(window))
            if value is not None:
                seen.append(value)
        self.assertTrue(len(seen) >= 2 and seen[-1] > seen[0],
                        f"the caption's percentage should move on while playing: {seen}")
        self.assertRegex(self.caption(window), r"^Riproduzione  Spot 10  \d\d,\d%( ---|  [\\|/])$")

        self.click_in(geometry, STRIP, SLIDE_UP)
        self.wait_panel_shown(geometry)
        self.session.xdotool("mousemove", geometry[0] + 200, geometry[1] + 100)
        time.sleep(0.6)
        self.shot("player-playing-panel.png")

        self.click_in(geometry, PANEL, CLOSE)
        wait_until(lambda: not self.session.windows("Riproduzione.*"),
                   "the playback window did not close", 5)
        time.sleep(0.5)
        self.assertEqual(self.program.read("Ripristino.sav"), b"sp0\r\n")

        # The board is usable again and ends normally.
        self.end_normally()
        self.assertIn(b"volprinc=50\r\n", self.program.read("Impostazioni.ini"))

    def test_a_video_plays_in_the_docked_video_area(self):
        board = self.start_board()
        window, geometry = self.open_number(board, 1, "Riproduzione  Spot 20  00,0%")
        self.click_in(geometry, STRIP, SLIDE_UP)
        self.wait_panel_shown(geometry)
        self.click_in(geometry, PANEL, BIG_PLAY)
        time.sleep(2.0)
        self.session.xdotool("mousemove", geometry[0] + 200, geometry[1] + 100)
        time.sleep(0.4)
        shot = self.shot("player-video-docked.png")
        # The test picture's colour bars fill the area above the panel, whose top is the
        # docked video area's bottom.
        box = (geometry[0] + 40, geometry[1] + 30, geometry[0] + 620, geometry[1] + 220)
        colours = set()
        width, _h, pixels = shot
        for y in range(box[1], box[3], 7):
            for x in range(box[0], box[2], 7):
                i = (y * width + x) * 3
                colours.add(tuple(v // 32 for v in pixels[i:i + 3]))
        self.assertGreater(len(colours), 6, "the video's colour bars should show")
        # While the song plays SIGTERM ends the run normally: the window goes with the board.
        self.end_normally()
        self.assertFalse(os.path.exists(self.program.path("Ripristino.sav")))


if __name__ == "__main__":
    unittest.main(verbosity=2)
