"""The real executable plays a number: a left click on "Spot 10" opens the playback window with
its caption, the song plays (the caption's percentage moves on), the panel slides up, a video
plays in the docked video area, the close button ends the window and the board records the
number in Ripristino.sav."""

import math
import os
import re
import shutil
import signal
import struct
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from xsession import ProgramCopy, XSession, count_colour, number_box  # noqa: E402

CAPTION = "Riproduzione  Spot 10  00,0%"
PANEL_COLOUR = (38, 42, 50)

# The playback window's designed layout, in pixels of its client area.
STRIP_LEFT, STRIP_TOP_HIDDEN, STRIP_TOP_DOCKED = 13, 436, 234
PANEL_LEFT, PANEL_TOP_SHOWN = 24, 288
MINI_PLAY = (470 + 14, 28 + 9)          # in the strip
SLIDE_UP = (443 + 13, 30 + 7)           # in the strip
CLOSE = (572 + 14, 99 + 14)             # on the panel
BIG_PLAY = (421 + 28, 24 + 28)          # on the panel


def tone_wav(path, seconds, rate=8000):
    frames = int(seconds * rate)
    data = b"".join(struct.pack("<h", int(3000 * math.sin(2 * math.pi * 440 * i / rate)))
                    for i in range(frames))
    header = b"RIFF" + struct.pack("<I", 36 + len(data)) + b"WAVEfmt " + struct.pack(
        "<IHHIIHH", 16, 1, 1, rate, rate * 2, 2, 16) + b"data" + struct.pack("<I", len(data))
    with open(path, "wb") as f:
        f.write(header + data)


def percent(caption):
    found = re.search(r"  (\d+,\d)%", caption)
    return float(found.group(1).replace(",", ".")) if found else None


class Playback(unittest.TestCase):
    def setUp(self):
        self.session = XSession().__enter__()
        self.program = ProgramCopy()
        self.shots = os.environ.get("ZEFIRO_SHOTS_DIR", self.program.tmp.name)
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

    def tearDown(self):
        self.program.cleanup()
        self.session.__exit__(None, None, None)

    def start_board(self):
        return self.program.start_board(self.session)

    def open_number(self, board, index, caption):
        x0, y0, x1, y1 = number_box(board, 0, index)
        self.session.click((x0 + x1) / 2, (y0 + y1) / 2, 1)
        window = self.session.wait_window(caption)
        geometry, deadline = None, time.time() + 10
        while time.time() < deadline:
            time.sleep(0.3)
            latest = self.session.client_geometry(window)
            if latest == geometry:
                break
            geometry = latest
        time.sleep(0.5)
        return window, geometry

    def click_in(self, geometry, origin, point):
        self.session.click(geometry[0] + origin[0] + point[0], geometry[1] + origin[1] + point[1], 1)

    def caption(self, window):
        return self.session.xdotool("getwindowname", window).strip()

    def shot(self, name):
        return self.session.screenshot(os.path.join(self.shots, name))

    def wait_panel_shown(self, geometry):
        deadline = time.time() + 5
        box = (geometry[0] + PANEL_LEFT + 250, geometry[1] + PANEL_TOP_SHOWN + 4,
               geometry[0] + PANEL_LEFT + 280, geometry[1] + PANEL_TOP_SHOWN + 8)
        while time.time() < deadline:
            time.sleep(0.3)
            if count_colour(self.shot("panel-wait.png"), box, PANEL_COLOUR) > 50:
                return
        self.fail("the control panel did not slide up")

    def test_a_number_plays_its_song_and_is_recorded(self):
        board = self.start_board()
        window, geometry = self.open_number(board, 0, CAPTION)
        self.assertEqual(geometry[2:], (659, 490), "the window keeps its designed size")
        self.shot("player-ready.png")
        self.assertFalse(os.path.exists(self.program.path("Ripristino.sav")),
                         "the number is recorded once the window has closed")

        self.click_in(geometry, (STRIP_LEFT, STRIP_TOP_HIDDEN), MINI_PLAY)
        seen, deadline = [], time.time() + 10
        while time.time() < deadline and (len(seen) < 2 or seen[-1] <= seen[0]):
            time.sleep(0.5)
            value = percent(self.caption(window))
            if value is not None:
                seen.append(value)
        self.assertTrue(len(seen) >= 2 and seen[-1] > seen[0],
                        f"the caption's percentage should move on while playing: {seen}")
        self.assertRegex(self.caption(window), r"^Riproduzione  Spot 10  \d\d,\d%( ---|  [\\|/])$")

        self.click_in(geometry, (STRIP_LEFT, STRIP_TOP_HIDDEN), SLIDE_UP)
        self.wait_panel_shown(geometry)
        self.session.xdotool("mousemove", geometry[0] + 200, geometry[1] + 100)
        time.sleep(0.6)
        self.shot("player-playing-panel.png")

        self.click_in(geometry, (PANEL_LEFT, PANEL_TOP_SHOWN), CLOSE)
        deadline = time.time() + 5
        while time.time() < deadline and self.program.proc.poll() is None:
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Riproduzione"],
                                   env=self.session.env, capture_output=True, text=True).stdout
            if not found.strip():
                break
            time.sleep(0.2)
        else:
            self.fail("the playback window did not close")
        time.sleep(0.5)
        self.assertEqual(self.program.read("Ripristino.sav"), b"sp0\r\n")

        # The board is usable again and ends normally.
        code, out = self.program.stop(signal.SIGTERM)
        self.assertEqual(code, 0, out)
        self.assertIn(b"volprinc=50\r\n", self.program.read("Impostazioni.ini"))

    def test_a_video_plays_in_the_docked_video_area(self):
        board = self.start_board()
        window, geometry = self.open_number(board, 1, "Riproduzione  Spot 20  00,0%")
        self.click_in(geometry, (STRIP_LEFT, STRIP_TOP_HIDDEN), SLIDE_UP)
        self.wait_panel_shown(geometry)
        self.click_in(geometry, (PANEL_LEFT, PANEL_TOP_SHOWN), BIG_PLAY)
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
        code, out = self.program.stop(signal.SIGTERM)
        self.assertEqual(code, 0, out)
        self.assertFalse(os.path.exists(self.program.path("Ripristino.sav")))


if __name__ == "__main__":
    unittest.main(verbosity=2)
