"""A private X display with a window manager, and a program folder copy to run Zefiro in."""

import math
import os
import select
import shutil
import signal
import struct
import subprocess
import tempfile
import time
import unittest

TWIPS_PER_PIXEL = 15.0


class XSession:
    def __init__(self, width=1280, height=800):
        self.width, self.height = width, height
        self.procs = []
        self.display = None

    def __enter__(self):
        # Xvfb picks a free display number itself and writes it to the pipe once it listens:
        # a number checked here first could be taken by another run before Xvfb started.
        read_end, write_end = os.pipe()
        try:
            self.procs.append(subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                 f"{self.width}x{self.height}x24", "-nolisten", "tcp"],
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, pass_fds=(write_end,)))
            os.close(write_end)
            write_end = None
            number = self.read_display(read_end)
        finally:
            os.close(read_end)
            if write_end is not None:
                os.close(write_end)
        self.display = f":{number}"
        # The captions the tests read are the Italian ones; numbers follow the user's locale.
        self.env = dict(os.environ, DISPLAY=self.display, LC_NUMERIC="it_IT.UTF-8")
        self.env.pop("LC_ALL", None)
        self.env.pop("QT_QPA_PLATFORM", None)
        deadline = time.time() + 20
        while subprocess.call(["xdpyinfo"], env=self.env, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL) != 0:
            if time.time() > deadline:
                raise RuntimeError("Xvfb did not start")
            time.sleep(0.2)
        self.procs.append(subprocess.Popen(["openbox"], env=self.env,
                                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        time.sleep(1.0)
        self.settle_keyboard()
        return self

    def read_display(self, fd, timeout=30):
        """The display number Xvfb writes to fd; an Xvfb that ends first closes the pipe."""
        deadline = time.time() + timeout
        text = b""
        while not text.endswith(b"\n"):
            left = deadline - time.time()
            if left <= 0 or not select.select([fd], [], [], left)[0]:
                self.__exit__(None, None, None)
                raise RuntimeError("Xvfb did not report its display")
            chunk = os.read(fd, 64)
            if not chunk:
                code = self.procs[0].wait()
                raise RuntimeError(f"Xvfb ended with {code} before it had a display")
            text += chunk
        return int(text)

    def __exit__(self, *exc):
        for proc in reversed(self.procs):
            proc.terminate()
            try:
                proc.wait(5)
            except subprocess.TimeoutExpired:
                proc.kill()

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *map(str, args)], env=self.env, check=True,
                              capture_output=True, text=True).stdout

    def windows(self, name=".*"):
        """Ids of the visible windows titled exactly name (a regular expression)."""
        return subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{name}$"],
                              env=self.env, capture_output=True, text=True).stdout.split()

    def wait_window(self, name, timeout=30):
        """Id of the first visible window titled exactly name."""
        return wait_until(lambda: (self.windows(name) or [None])[0],
                          f"no window named {name!r} within {timeout} s", timeout)

    def settle_keyboard(self):
        """The first key the tests send makes the server switch to its virtual test keyboard and
        tell every client that the keyboard map changed. The window manager then takes all its
        key grabs off and puts them on again; a key that comes in between goes to the focused
        window instead (alt+F4 reaches the program and closes nothing). So a harmless key goes
        first, and the session waits until the window manager has answered a later request:
        it handles them in order, so by then its grabs are back."""
        self.xdotool("key", "shift")
        count = int(self.xdotool("get_num_desktops"))
        for wanted in (count + 1, count):
            self.xdotool("set_num_desktops", wanted)
            deadline = time.time() + 20
            while int(self.xdotool("get_num_desktops")) != wanted:
                if time.time() > deadline:
                    raise RuntimeError("the window manager does not answer")
                time.sleep(0.05)

    def close_window(self, window, timeout=10):
        """Closes the window as its frame's close box does, making it the active one first so
        that the key cannot land in another window, and returns once it is gone."""
        self.xdotool("windowactivate", "--sync", window)
        self.xdotool("key", "alt+F4")
        wait_until(lambda: window not in self.windows(),
                   f"window {window} still shown {timeout} s after alt+F4", timeout)

    def client_geometry(self, window):
        """Screen position and size of the window's client area (xdotool's position counts the
        window manager's frame in twice)."""
        out = subprocess.run(["xwininfo", "-id", window], env=self.env, check=True,
                             capture_output=True, text=True).stdout
        values = dict(line.strip().split(": ", 1) for line in out.splitlines() if ": " in line)
        return (int(values["Absolute upper-left X"]), int(values["Absolute upper-left Y"]),
                int(values["Width"]), int(values["Height"]))

    def geometry(self, window):
        out = self.xdotool("getwindowgeometry", "--shell", window)
        values = dict(line.split("=", 1) for line in out.split())
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    def click(self, x, y, button):
        self.xdotool("mousemove", "--sync", int(x), int(y))
        time.sleep(0.15)
        self.xdotool("click", button)
        time.sleep(0.3)

    def click_centre(self, box, button):
        x0, y0, x1, y1 = box
        self.click((x0 + x1) / 2, (y0 + y1) / 2, button)

    def press(self, window, key):
        """Makes the window the active one and presses key in it."""
        self.xdotool("windowactivate", "--sync", window)
        time.sleep(0.3)
        self.xdotool("key", key)

    def ctrl_right_click(self, x, y):
        """A right click with Ctrl held, as the presenter opens the options window."""
        self.xdotool("mousemove", "--sync", int(x), int(y))
        self.xdotool("keydown", "ctrl")
        self.xdotool("click", 3)
        self.xdotool("keyup", "ctrl")

    def screenshot(self, path):
        """Saves the screen as PNG and returns it as (width, height, rgb bytes)."""
        ppm = path + ".ppm"
        subprocess.run(["import", "-window", "root", path], env=self.env, check=True)
        subprocess.run(["convert", path, "-depth", "8", ppm], check=True)
        with open(ppm, "rb") as f:
            data = f.read()
        os.remove(ppm)
        parts = data.split(maxsplit=4)
        assert parts[0] == b"P6", "screenshot is not a binary PPM"
        return int(parts[1]), int(parts[2]), parts[4]


def count_colour(shot, box, rgb):
    width, _height, pixels = shot
    x0, y0, x1, y1 = (int(v) for v in box)
    n = 0
    for y in range(y0, y1):
        row = y * width * 3
        for x in range(x0, x1):
            if pixels[row + 3 * x: row + 3 * x + 3] == bytes(rgb):
                n += 1
    return n


def number_box(window_geometry, category, index):
    """Screen box of the board number (category 0..4, index 0..4) as the board lays it out."""
    wx, wy, w, h = window_geometry
    wt, ht = w * TWIPS_PER_PIXEL, h * TWIPS_PER_PIXEL
    rows = [4, 12, 22, 31.5, 40]
    cols = [3.2, 4.2, 5.25, 6.24, 7.4]
    left, top, width, height = 2500, 1000, wt - 5000, ht - 2400
    cx = (left + width / 8 * cols[index]) / TWIPS_PER_PIXEL
    cy = (top + height / 45 * rows[category]) / TWIPS_PER_PIXEL
    hw, hh = 870 / TWIPS_PER_PIXEL / 2, 1005 / TWIPS_PER_PIXEL / 2
    return (wx + cx - hw, wy + cy - hh, wx + cx + hw, wy + cy + hh)


def wait_until(condition, what, timeout=15):
    """The first true value of condition(), tried every 0.1 s until timeout."""
    deadline = time.time() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.time() > deadline:
            raise AssertionError(what)
        time.sleep(0.1)


def tone_wav(path, seconds=1.0, amplitude=3000, rate=8000):
    """A mono 16-bit WAV of a 440 Hz sine of the given peak; amplitude 0 is silence."""
    data = b"".join(struct.pack("<h", int(amplitude * math.sin(2 * math.pi * 440 * i / rate)))
                    for i in range(int(seconds * rate)))
    header = b"RIFF" + struct.pack("<I", 36 + len(data)) + b"WAVEfmt " + struct.pack(
        "<IHHIIHH", 16, 1, 1, rate, rate * 2, 2, 16) + b"data" + struct.pack("<I", len(data))
    with open(path, "wb") as f:
        f.write(header + data)


class ProgramCopy:
    """A temporary copy of the built program folder, with 25 songs assigned and settings that
    ask no start-up question."""

    def __init__(self):
        source = os.environ.get("ZEFIRO_PROGRAM_DIR")
        assert source and os.path.isfile(os.path.join(source, "zefiro")), \
            "ZEFIRO_PROGRAM_DIR must name the built program folder"
        self.tmp = tempfile.TemporaryDirectory(prefix="zefiro-e2e-")
        self.dir = os.path.join(self.tmp.name, "zefiro")
        shutil.copytree(source, self.dir, symlinks=True)
        for pack in ("Spot", "Canto", "ColSon", "Ballo", "SceEdu", "Musiche"):
            shutil.rmtree(os.path.join(self.dir, pack), ignore_errors=True)
        for name in ("PercorsiZMP.ini", "Percorsi.ini", "Impostazioni.ini", "Ripristino.sav",
                     "CheckCanzoni.ini"):
            if os.path.exists(self.path(name)):
                os.remove(self.path(name))
        os.mkdir(self.path("Musiche"))
        lines = []
        sections = ["[Spot]", "[Canto]", "[Colonne Sonore]", "[Ballo]", "[Scelte dagli educatori]"]
        for c, section in enumerate(sections):
            if c:
                lines.append("")
            lines.append(section)
            for n in range(5):
                slot = c * 5 + n
                tone_wav(self.path("Musiche", f"song{slot}.wav"), amplitude=0)
                lines.append(f"{slot}=song{slot}.wav")
        self.write("Percorsi.ini", "\r\n".join(lines) + "\r\n")
        self.write("Impostazioni.ini", "usazmp=0\r\nveragg=0\r\n")
        self.proc = None

    def path(self, *names):
        return os.path.join(self.dir, *names)

    def write(self, name, text):
        with open(self.path(name), "w", encoding="utf-8", newline="") as f:
            f.write(text)

    def read(self, name):
        with open(self.path(name), "rb") as f:
            return f.read()

    def start(self, session):
        self.proc = subprocess.Popen([self.path("zefiro")], cwd=self.tmp.name, env=session.env,
                                     stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        return self.proc

    def start_board(self, session):
        """Starts the program and returns the board's geometry once it has settled."""
        self.start(session)
        window = session.wait_window("Zefiro")
        # The window manager may place the window before it takes the whole screen.
        geometry, deadline = None, time.time() + 10
        while time.time() < deadline:
            time.sleep(0.5)
            latest = session.geometry(window)
            if latest == geometry and latest[2] > 600:
                break
            geometry = latest
        time.sleep(1.0)  # first layout pass and paint
        return geometry

    def stop(self, sig, timeout=15):
        self.proc.send_signal(sig)
        try:
            out, _ = self.proc.communicate(timeout=timeout)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            raise AssertionError(f"zefiro did not end within {timeout} s of signal {sig}")
        return self.proc.returncode, out.decode(errors="replace")

    def cleanup(self):
        if self.proc and self.proc.poll() is None:
            self.proc.send_signal(signal.SIGKILL)
            self.proc.wait()
        self.tmp.cleanup()


class BoardTest(unittest.TestCase):
    """A test of the program on a private display: self.session, self.program, and the folder
    the screenshots go to."""

    SCREEN = (1280, 800)

    def setUp(self):
        self.session = XSession(*self.SCREEN).__enter__()
        self.addCleanup(self.session.__exit__, None, None, None)
        self.program = ProgramCopy()
        self.addCleanup(self.program.cleanup)
        self.shots = os.environ.get("ZEFIRO_SHOTS_DIR", self.program.tmp.name)

    def start_board(self):
        return self.program.start_board(self.session)

    def shot(self, name):
        return self.session.screenshot(os.path.join(self.shots, name))

    def click_in(self, origin, *offsets, button=1):
        """Clicks at origin's corner moved by each offset in turn."""
        self.session.click(origin[0] + sum(o[0] for o in offsets),
                           origin[1] + sum(o[1] for o in offsets), button)

    def click_window(self, window, offset, button=1):
        self.click_in(self.session.geometry(window), offset, button=button)

    def open_number(self, board, index, caption, settle=0.5):
        """Clicks Spot (index + 1) * 10 and returns its playback window and the client area's
        geometry once the window manager has stopped moving it."""
        self.session.click_centre(number_box(board, 0, index), 1)
        window = self.session.wait_window(caption)
        geometry, deadline = None, time.time() + 10
        while time.time() < deadline:
            time.sleep(0.3)
            latest = self.session.client_geometry(window)
            if latest == geometry:
                break
            geometry = latest
        time.sleep(settle)
        return window, geometry

    def choose_file(self, window, place, path):
        """Right-clicks place in window, which opens the song file dialog, and picks path in it
        by typing it."""
        self.click_window(window, place, button=3)
        dialog = self.session.wait_window("Scegli la canzone", timeout=15)
        self.session.xdotool("windowactivate", "--sync", dialog)
        time.sleep(0.5)
        self.session.xdotool("type", "--delay", "20", path)
        time.sleep(0.5)
        self.session.xdotool("key", "Return")
        if self.session.windows("Scegli la canzone"):
            time.sleep(0.5)  # the first Return may only have closed the completer's list
            if self.session.windows("Scegli la canzone"):
                self.session.xdotool("key", "Return")

    def open_options(self, board):
        self.session.ctrl_right_click(5, board[3] - 5)
        window = self.session.wait_window("Opzioni", timeout=15)
        time.sleep(1.0)
        return window

    def end_normally(self, sig=signal.SIGTERM):
        code, out = self.program.stop(sig)
        self.assertEqual(code, 0, out)
