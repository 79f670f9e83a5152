"""The real executable on a file system that has run out of space: the start, a mark and the
normal end each fail to write, say so in a message box, and leave the old paths, restore and
settings files byte for byte as they were."""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from xsession import ProgramCopy, XSession, number_box  # noqa: E402


class FullDisk(unittest.TestCase):
    def setUp(self):
        if os.geteuid() != 0:
            self.skipTest("mounting a small file system needs root")
        self.session = XSession().__enter__()
        self.source = ProgramCopy()
        self.mount = tempfile.mkdtemp(prefix="zefiro-full-")
        # Room for the program folder and a little more: the test fills the rest anyway, and the
        # executable's size changes from build to build.
        used = sum(os.path.getsize(os.path.join(root, name))
                   for root, _dirs, names in os.walk(self.source.dir) for name in names
                   if not os.path.islink(os.path.join(root, name)))
        size = used // (1024 * 1024) + 8
        subprocess.run(["mount", "-t", "tmpfs", "-o", f"size={size}m", "tmpfs", self.mount],
                       check=True)
        self.dir = os.path.join(self.mount, "zefiro")
        shutil.copytree(self.source.dir, self.dir, symlinks=True)
        self.proc = None

    def tearDown(self):
        if self.proc and self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()
        subprocess.run(["umount", self.mount])
        os.rmdir(self.mount)
        self.source.cleanup()
        self.session.__exit__(None, None, None)

    def read(self, name):
        with open(os.path.join(self.dir, name), "rb") as f:
            return f.read()

    def fill(self):
        with open(os.path.join(self.mount, "filler"), "wb", buffering=0) as f:
            try:
                while True:
                    f.write(b"\0" * 65536)
            except OSError:
                pass
        with open(os.path.join(self.mount, "filler2"), "wb", buffering=0) as f:
            try:
                while True:
                    f.write(b"\0")
            except OSError:
                pass

    def windows(self):
        return [(w, self.session.geometry(w)) for w in self.session.windows("Zefiro")]

    def answer_boxes(self, stage, until_board, timeout=30):
        """Presses Return on each message box (a small "Zefiro" window) as it comes; returns
        how many were answered and the board's geometry once it is up alone."""
        answered, deadline = 0, time.time() + timeout
        while time.time() < deadline:
            shown = self.windows()
            boxes = [w for w, g in shown if g[2] < 600]
            boards = [g for w, g in shown if g[2] >= 600]
            if boxes:
                self.session.screenshot(os.path.join(self.shots, f"full-disk-{stage}-{answered}.png"))
                self.session.press(boxes[0], "Return")
                answered += 1
                time.sleep(0.5)
                continue
            if until_board and boards:
                time.sleep(1.0)  # first layout pass and paint
                if not [w for w, g in self.windows() if g[2] < 600]:
                    return answered, boards[0]
            if not until_board and self.proc.poll() is not None:
                return answered, None
            time.sleep(0.2)
        raise AssertionError(f"no end of the message boxes within {timeout} s")

    def test_nothing_is_lost_on_a_full_disk(self):
        self.shots = os.environ.get("ZEFIRO_SHOTS_DIR", self.source.tmp.name)
        with open(os.path.join(self.dir, "Ripristino.sav"), "wb") as f:
            f.write(b"sp0\r\n")
        with open(os.path.join(self.dir, "Impostazioni.ini"), "wb") as f:
            f.write(b"usazmp=0\r\nveragg=0\r\nvolprinc=42\r\n")
        # Line ends as an editor may leave them: the start writes the file back in its own form
        # (a file already in that form is not written at all).
        with open(os.path.join(self.dir, "Percorsi.ini"), "rb") as f:
            lf = f.read().replace(b"\r\n", b"\n")
        with open(os.path.join(self.dir, "Percorsi.ini"), "wb") as f:
            f.write(lf)
        paths, restore, settings = (self.read(n) for n in
                                    ("Percorsi.ini", "Ripristino.sav", "Impostazioni.ini"))
        self.fill()

        self.proc = subprocess.Popen([os.path.join(self.dir, "zefiro")], cwd=self.mount,
                                     env=self.session.env, stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL)
        at_start, board = self.answer_boxes("start", until_board=True)
        self.assertGreaterEqual(at_start, 1, "the failed write at start must be reported")
        self.assertEqual(self.read("Percorsi.ini"), paths)

        self.session.click_centre(number_box(board, 1, 1), 3)
        marked, _ = self.answer_boxes("mark", until_board=True)
        self.assertEqual(marked, 1, "a failed mark must be reported once")
        self.assertEqual(self.read("Ripristino.sav"), restore)

        # The normal end deletes the restore file first, which may free the room the settings
        # need: either they are written whole, or the failure is reported and the old file stays.
        self.proc.send_signal(signal.SIGTERM)
        at_end, _ = self.answer_boxes("end", until_board=False)
        written = self.read("Impostazioni.ini")
        if at_end:
            self.assertEqual(at_end, 1)
            self.assertEqual(written, settings)
        else:
            self.assertIn(b"\r\nvolprinc=42\r\n", written)
            self.assertTrue(written.endswith(b"usazmp=0\r\n") or written.endswith(b"\r\n"))
            self.assertGreater(len(written), len(settings))
        self.assertEqual(self.read("Percorsi.ini"), paths)


if __name__ == "__main__":
    unittest.main()
