#!/usr/bin/env python3
"""Prints, in one run, the figures a presenter feels, each beside its floor and the ratio:
 - start to the board's first paint, beside a bare maximised Qt window with one label;
 - resident memory of the idle board, beside the same bare window;
 - click to sound: from the left click on a number to the first non-silent samples on the
   sound server's null sink, beside a bare QMediaPlayer program that plays the same WAV on a
   click (after the same half second the playback window waits before its automatic start);
   the first click after start and the later ones apart;
 - opening the playback window: from the click to its first paint, beside a bare QDialog of the
   same size;
and the board's CPU use over 10 idle seconds. Runs under a private Xvfb display with a window
manager and a private PulseAudio server. Median of 7 runs of each.
Usage: bench/startup.py [build folder]"""

import os
import shutil
import statistics
import subprocess
import sys
import time

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "tests", "e2e"))
from xsession import ProgramCopy, XSession, number_box, tone_wav, wait_until  # noqa: E402
from soundsession import PrivatePulse, RATE, Recording  # noqa: E402
from playback import cpu_seconds  # noqa: E402

RUNS = int(os.environ.get("ZEFIRO_BENCH_RUNS", "7"))
CLICKS = 3            # per start: the first and the later ones
IDLE_BEFORE_RSS = 3.0  # seconds after the first paint
PRESENTER_DELAY = 1.0  # the soonest a presenter clicks after the board shows
SOUND_LEVEL = 200     # a sample above this is sound (the tone peaks at 3000)


class Program:
    """A started program that reports its paints on stdout."""

    def __init__(self, command, env, cwd):
        env = dict(env, ZEFIRO_REPORT_FIRST_PAINT="1")
        self.start = time.perf_counter()
        self.proc = subprocess.Popen(command, cwd=cwd, env=env, stdout=subprocess.PIPE,
                                     stderr=subprocess.DEVNULL, text=True, bufsize=1)

    def wait_line(self, wanted):
        for line in self.proc.stdout:
            if line.strip() == wanted:
                return time.perf_counter()
        raise RuntimeError(f"the program ended without printing {wanted}")

    def rss_mb(self):
        with open(f"/proc/{self.proc.pid}/status") as f:
            for line in f:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1]) / 1024
        raise RuntimeError("no VmRSS")

    def end(self):
        self.proc.terminate()
        try:
            self.proc.wait(10)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            self.proc.wait()


class Bench:
    def __init__(self, build, session, pulse, program):
        self.session, self.pulse, self.program = session, pulse, program
        self.env = dict(session.env, XDG_RUNTIME_DIR=pulse.runtime)
        self.bare_window = os.path.join(build, "bench", "bench_bare_window")
        self.bare_click = os.path.join(build, "bench", "bench_bare_click")
        self.board = program.path("zefiro")
        self.song = program.path("Musiche", "song0.wav")

    def start(self, command):
        return Program(command, self.env, self.program.dir)

    def board_geometry(self):
        window = self.session.wait_window("Zefiro")
        deadline, geometry = time.time() + 10, None
        while time.time() < deadline:
            latest = self.session.geometry(window)
            if latest == geometry and latest[2] > 600:
                return latest
            geometry = latest
            time.sleep(0.2)
        return geometry

    def click_at(self, x, y):
        self.session.xdotool("mousemove", "--sync", int(x), int(y))
        time.sleep(0.2)
        clicked = time.perf_counter()
        self.session.xdotool("click", 1)
        return clicked

    def close_player(self):
        self.session.xdotool("key", "alt+F4")
        wait_until(lambda: not self.session.windows("Riproduzione.*"),
                   "the playback window did not close", 10)

    def start_and_memory(self, command):
        program = self.start(command)
        try:
            painted = program.wait_line("first-paint") - program.start
            time.sleep(IDLE_BEFORE_RSS)
            return painted, program.rss_mb()
        finally:
            program.end()

    def clicks_to_sound(self, board):
        """Click to sound for CLICKS clicks after one start, of the board or of the bare
        program."""
        command = [self.board] if board else [self.bare_click, "sound", self.song]
        program = self.start(command)
        recording = Recording(self.pulse.env)
        try:
            program.wait_line("first-paint")
            geometry = self.board_geometry() if board else None
            time.sleep(PRESENTER_DELAY)
            figures = []
            for n in range(CLICKS):
                if board:
                    x0, y0, x1, y1 = number_box(geometry, 0, n)
                    x, y = (x0 + x1) / 2, (y0 + y1) / 2
                else:
                    x, y = self.session.width / 2, self.session.height / 2
                self.session.xdotool("mousemove", "--sync", int(x), int(y))
                time.sleep(0.2)
                at = recording.samples()
                clicked = time.perf_counter()
                self.session.xdotool("click", 1)
                heard = recording.seconds_to_sound(at, clicked, SOUND_LEVEL)
                if heard is None:
                    raise RuntimeError("no sound after the click")
                figures.append(heard)
                time.sleep(0.5)
                if board:
                    self.close_player()
                time.sleep(0.8)
                # Silence again before the next click.
                self.wait_silence(recording)
            return figures
        finally:
            recording.close()
            program.end()

    def wait_silence(self, recording, timeout=15):
        deadline = time.time() + timeout
        while time.time() < deadline:
            with recording.lock:
                raw = bytes(recording.raw[-RATE // 5 * 2:])
            samples = memoryview(raw[:len(raw) // 2 * 2]).cast("h")
            if samples and max(abs(s) for s in samples) <= SOUND_LEVEL:
                return
            time.sleep(0.1)
        raise RuntimeError("the sound did not end")

    def player_paint(self):
        """Click to the playback window's first paint, for CLICKS clicks after one start."""
        program = self.start([self.board])
        try:
            program.wait_line("first-paint")
            geometry = self.board_geometry()
            time.sleep(PRESENTER_DELAY)
            figures, size = [], None
            for n in range(CLICKS):
                x0, y0, x1, y1 = number_box(geometry, 1, n)
                clicked = self.click_at((x0 + x1) / 2, (y0 + y1) / 2)
                figures.append(program.wait_line("player-paint") - clicked)
                window = self.session.wait_window("Riproduzione.*")
                size = self.session.geometry(window)[2:]
                time.sleep(0.3)
                self.close_player()
                time.sleep(0.5)
            return figures, size
        finally:
            program.end()

    def dialog_paint(self, size):
        program = self.start([self.bare_click, "dialog", str(size[0]), str(size[1])])
        try:
            program.wait_line("first-paint")
            time.sleep(PRESENTER_DELAY)
            figures = []
            for _ in range(CLICKS):
                clicked = self.click_at(self.session.width / 2, self.session.height / 2)
                figures.append(program.wait_line("dialog-paint") - clicked)
                time.sleep(1.5)  # the dialog closes itself after a second
            return figures
        finally:
            program.end()

    def idle_cpu(self):
        program = self.start([self.board])
        try:
            program.wait_line("first-paint")
            time.sleep(2)
            before = cpu_seconds(program.proc.pid)
            time.sleep(10)
            return cpu_seconds(program.proc.pid) - before
        finally:
            program.end()


def line(what, ours, floor, unit, target, scale=1000):
    ratio = ours / floor if floor > 0 else float("nan")
    mark = "met" if ratio <= target else "NOT met"
    print(f"  {what}: board {ours * scale:.1f} {unit}, floor {floor * scale:.1f} {unit}, "
          f"ratio {ratio:.2f} (target <= {target}, {mark})")


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "build"))
    os.environ.setdefault("ZEFIRO_PROGRAM_DIR", os.path.join(build, "zefiro"))
    for tool in ("pulseaudio", "pactl", "parec", "xdotool", "Xvfb", "openbox"):
        if shutil.which(tool) is None:
            sys.exit(f"{tool} not found (scripts/deps installs it)")
    pulse = PrivatePulse()
    try:
        with XSession() as session:
            program = ProgramCopy()
            try:
                for n in range(25):
                    tone_wav(program.path("Musiche", f"song{n}.wav"), 2.0)
                # The computer's volume stays at 100 so that every run hears the same level.
                program.write("Impostazioni.ini", "usazmp=0\r\nveragg=0\r\nautoplay=1\r\n"
                              "ckvolprinc=1\r\nvolprinc=100\r\n")
                run(Bench(build, session, pulse, program))
            finally:
                program.cleanup()
    finally:
        pulse.close()


def run(bench):
    starts = {"board": [], "bare": []}
    memory = {"board": [], "bare": []}
    sound = {"board": [], "bare": []}
    paint = {"board": [], "bare": []}
    size = None
    for _ in range(RUNS):
        for name, command in (("board", [bench.board]), ("bare", [bench.bare_window])):
            t, rss = bench.start_and_memory(command)
            starts[name].append(t)
            memory[name].append(rss)
        sound["board"].append(bench.clicks_to_sound(True))
        try:
            sound["bare"].append(bench.clicks_to_sound(False))
        except RuntimeError as error:
            sound["bare"].append(None)
            print(f"bare player: {error}", file=sys.stderr)
        figures, size = bench.player_paint()
        paint["board"].append(figures)
        paint["bare"].append(bench.dialog_paint(size))
    idle = bench.idle_cpu()

    med = statistics.median
    print(f"median of {RUNS} runs, each figure beside its floor measured in the same run")
    line("start to first paint", med(starts["board"]), med(starts["bare"]), "ms", 1.2)
    line("resident memory, idle", med(memory["board"]), med(memory["bare"]), "MB", 1.3, scale=1)
    first = [f[0] for f in sound["board"]]
    later = [v for f in sound["board"] for v in f[1:]]
    heard = [f for f in sound["bare"] if f]
    if heard:
        bare_all = [v for f in heard for v in f]
        line("click to sound, first click", med(first), med(bare_all), "ms", 1.3)
        line("click to sound, later clicks", med(later), med(bare_all), "ms", 1.3)
        print(f"    bare floor: first {med([f[0] for f in heard]) * 1000:.0f} ms, later "
              f"{med([v for f in heard for v in f[1:]]) * 1000:.0f} ms ({len(heard)} runs heard)")
    else:
        print(f"  click to sound: board first click {med(first) * 1000:.0f} ms, later clicks "
              f"{med(later) * 1000:.0f} ms; bare floor not heard in any run")
    first = [f[0] for f in paint["board"]]
    later = [v for f in paint["board"] for v in f[1:]]
    bare_all = [v for f in paint["bare"] for v in f]
    line(f"click to playback window painted ({size[0]}x{size[1]}), first click", med(first),
         med(bare_all), "ms", 1.5)
    line("click to playback window painted, later clicks", med(later), med(bare_all), "ms", 1.5)
    print(f"  board CPU over 10 idle seconds: {idle * 1000:.0f} ms "
          f"({idle / 10 * 100:.2f}% of one core)")


if __name__ == "__main__":
    main()
