"""The audience window of the real executable, read through the accessibility tree as a screen
reader reads it: opened by F5 on the board, it follows the board's marks, never names the song
before "Rivela", shows its title and artist from the file's tags after it, and forgets it when
the next number plays."""

import json
import os
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from atspi import SYSTEM_PYTHON, AccessibilityBus  # noqa: E402
from xsession import BoardTest, wait_until  # noqa: E402

APP = "Zefiro"

# Run by the system python: the names of the showing nodes under the window titled
# sys.argv[2] of the application sys.argv[1], as one JSON list.
_WINDOW_READER = r"""
import json, sys
import pyatspi

def walk(node, out, depth=0):
    if node is None or depth > 40:
        return
    try:
        if node.getState().contains(pyatspi.STATE_SHOWING) and node.name:
            out.append(node.name)
        for child in node:
            walk(child, out, depth + 1)
    except Exception:
        pass

names = None
for app in pyatspi.Registry.getDesktop(0):
    if app is not None and app.name == sys.argv[1]:
        for window in app:
            if window is not None and window.name == sys.argv[2]:
                names = []
                walk(window, names)
print(json.dumps(names))
"""


class AudienceWindow(BoardTest):
    def setUp(self):
        super().setUp()
        self.bus = AccessibilityBus(self.session.env).__enter__()
        self.addCleanup(self.bus.__exit__, None, None, None)
        self.session.env = self.bus.env()
        # Spot 10 plays a tagged song under a file name that must not give it away either.
        song = self.program.path("Musiche", "brano segreto.mp3")
        subprocess.run(["gst-launch-1.0", "-q", "audiotestsrc", "num-buffers=1500", "!",
                        "audioconvert", "!", "taginject",
                        'tags="title=\\"Nel blu\\",artist=\\"Domenico Modugno\\""', "!",
                        "lamemp3enc", "!", "id3v2mux", "!", "filesink", f"location={song}"],
                       check=True, timeout=60)
        self.program.write("Squadre.ini", "1=Rossi;#E02020;A\r\n2=Blu;#2050FF;B\r\n")
        paths = self.program.read("Percorsi.ini").decode()
        self.program.write("Percorsi.ini", paths.replace("0=song0.wav", "0=brano segreto.mp3"))

    def audience(self):
        """The names shown in "Pubblico"; None while the window is not there."""
        out = subprocess.run([SYSTEM_PYTHON, "-c", _WINDOW_READER, APP, "Pubblico"],
                             env=self.bus.env(), check=True, capture_output=True, text=True,
                             timeout=60).stdout
        return json.loads(out)

    def wait_audience(self, condition, what, timeout=20):
        """The names shown in "Pubblico" once they meet condition."""
        seen = []

        def met():
            seen[:] = [self.audience()]
            return seen[0] is not None and condition(seen[0])
        wait_until(met, f"{what}; shown: {seen}", timeout)
        return seen[0]

    def assert_secret(self, names):
        for part in ("Nel blu", "Modugno", "brano", "segreto", "song"):
            self.assertFalse([n for n in names if part in n], f"{part!r} shown in {names}")

    def play(self, board, keys, caption):
        for key in keys:
            self.session.press(board, key)
        return self.session.wait_window(caption)

    def close_player(self, player):
        self.session.press(player, "Escape")
        time.sleep(1.0)
        if player in self.session.windows():
            self.session.press(player, "Escape")
        wait_until(lambda: player not in self.session.windows(), "the playback window closed")

    def test_reveal_and_marks(self):
        self.start_board()
        board = self.session.wait_window("Zefiro")
        self.session.press(board, "F5")
        self.session.wait_window("Pubblico")
        names = self.wait_audience(lambda n: "Spot 10" in n, "the free numbers in Pubblico")
        self.assertIn("Scelte dagli Educatori 50", names)
        self.assertIn("Rossi: 0 punti", names)
        self.assertIn("Blu: 0 punti", names)
        self.assert_secret(names)

        # Enter shows the frame on Spot 10, Enter plays it: marked in the room, title kept back.
        player = self.play(board, ["Return", "Return"], "Riproduzione  Spot 10.*")
        names = self.wait_audience(lambda n: "Spot 10, giocato" in n, "Spot 10 marked")
        time.sleep(1.0)  # the tags have long been read by now
        self.assert_secret(self.audience())

        # A team's key books the answer in the room too; Esc drops the booking.
        self.session.press(player, "a")
        self.wait_audience(lambda n: "Prenotata: Rossi" in n, "the booking in Pubblico")
        self.session.press(player, "Escape")
        self.wait_audience(lambda n: not [x for x in n if "Prenotata" in x], "the booking gone")

        self.session.press(player, "F6")
        names = self.wait_audience(lambda n: "Nel blu - Domenico Modugno" in n, "the reveal")
        self.assertFalse([n for n in names if "brano" in n], names)
        self.close_player(player)
        self.session.xdotool("windowactivate", "--sync", self.session.wait_window("Pubblico"))
        time.sleep(0.5)
        self.shot("audience-reveal.png")
        board_names = {n["name"] for n in self.bus.nodes(APP)}
        self.assertIn("Pubblico: Nel blu - Domenico Modugno", board_names)
        # Points given on the board reach the room.
        self.session.press(board, "a")
        self.wait_audience(lambda n: "Rossi: 10 punti" in n, "Rossi's points in Pubblico")

        # The next number takes the title away; a mark by hand (M) follows too.
        player = self.play(board, ["Right", "Return"], "Riproduzione  Spot 20.*")
        names = self.wait_audience(lambda n: "Spot 20, giocato" in n, "Spot 20 marked")
        self.assert_secret(names)
        self.close_player(player)
        self.session.press(board, "Right")
        self.session.press(board, "m")
        names = self.wait_audience(lambda n: "Spot 30, giocato" in n, "Spot 30 marked by hand")
        self.session.press(board, "m")
        self.wait_audience(lambda n: "Spot 30" in n and "Spot 30, giocato" not in n,
                           "Spot 30 freed by hand")

        # F5 again closes it.
        self.session.press(board, "F5")
        wait_until(lambda: not self.session.windows("Pubblico"), "Pubblico closed")
        self.end_normally()


if __name__ == "__main__":
    unittest.main()
