#!/usr/bin/env python3
"""Prints, side by side in one run, the playback figures beside their floors:
 - silence at a speed change (1.0 to 1.5, 2.5 s into a 30 s tone), heard at the null sink's
   monitor: through the playback window's speed slider, beside a bare playbin doing a flushing
   accurate seek with the new rate (target: at most 60 ms);
 - play request to first sound of a prerolled song, played at once and after a 6 s wait,
   beside a bare prerolled playbin played at once (target: at most 1.1 x);
 - resident memory of the idle board, beside a maximised window that paints the board's
   picture and holds one prerolled playbin (target: at most 1.1 x);
 - CPU over 10 s of playback through our player, beside gst-play-1.0 (target: at most 1.1 x).
Runs under a private Xvfb display and a private PulseAudio server. Median of RUNS runs.
Usage: bench/player.py [build folder]"""

import array
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "tests", "e2e"))
from xsession import ProgramCopy, XSession, tone_wav  # noqa: E402
from soundsession import PrivatePulse, Recording  # noqa: E402
from playback import cpu_while_playing  # noqa: E402
from startup import Program  # noqa: E402

RUNS = int(os.environ.get("ZEFIRO_BENCH_RUNS", "5"))
WINDOW = 16           # samples (2 ms at 8 kHz) judged together for silence
QUIET = 100           # a window whose peak stays below this is silent (the tone peaks at 26000)


def silence_ms(recording):
    """Milliseconds of silence between the first and the last sound of a recording."""
    with recording.lock:
        raw = bytes(recording.raw)
    samples = array.array("h")
    samples.frombytes(raw[:len(raw) // 2 * 2])
    peaks = [max(abs(s) for s in samples[i:i + WINDOW])
             for i in range(0, len(samples) - WINDOW, WINDOW)]
    loud = [i for i, p in enumerate(peaks) if p > QUIET]
    if not loud:
        raise RuntimeError("nothing was heard")
    return sum(1 for p in peaks[loud[0]:loud[-1]] if p <= QUIET) * WINDOW / 8


def speed_change_gap(command, env, pulse_env):
    recording = Recording(pulse_env)
    try:
        time.sleep(0.5)
        run = subprocess.run(command, env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                             text=True, timeout=60)
        if "rate " not in run.stdout:
            raise RuntimeError(f"{os.path.basename(command[0])} made no speed change")
        time.sleep(0.3)
        return silence_ms(recording)
    finally:
        recording.close()


def first_sound(command, env, pulse_env):
    """Seconds from the printed play request to the first sound at the monitor."""
    recording = Recording(pulse_env)
    proc = subprocess.Popen(command, env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                            text=True)
    try:
        for line in proc.stdout:
            if line.startswith("play "):
                asked, since = recording.samples(), time.perf_counter()
                # None: not heard while the program played (2 s).
                return recording.seconds_to_sound(asked, since, QUIET * 5)
        raise RuntimeError(f"{os.path.basename(command[0])} did not play")
    finally:
        proc.wait(30)
        recording.close()


def idle_memory(command, env, cwd, ready):
    program = Program(command, env, cwd)
    try:
        program.wait_line(ready)
        time.sleep(3)
        return program.rss_mb()
    finally:
        program.end()


def line(what, ours, floor, unit, target):
    ratio = ours / floor if floor > 0 else float("nan")
    mark = "met" if ratio <= target else "NOT met"
    print(f"  {what}: ours {ours:.1f} {unit}, floor {floor:.1f} {unit}, ratio {ratio:.2f} "
          f"(target <= {target}, {mark})")


def measure(build, session, pulse, program, folder):
    bench = os.path.join(build, "bench")
    song = os.path.join(folder, "tone.wav")
    subprocess.run(["gst-launch-1.0", "-q", "audiotestsrc", "num-buffers=1300", "!",
                    "audio/x-raw,rate=44100,channels=2", "!", "wavenc", "!", "filesink",
                    f"location={song}"], check=True)
    offscreen = dict(pulse.env, QT_QPA_PLATFORM="offscreen")
    med = statistics.median

    window, bare = [], []
    for _ in range(RUNS):
        window.append(speed_change_gap([os.path.join(bench, "bench_speed_window"), song],
                                       offscreen, pulse.env))
        bare.append(speed_change_gap([os.path.join(bench, "bench_bare_player"), song, "rate"],
                                     offscreen, pulse.env))
    print(f"median of {RUNS} runs")
    print(f"  silence at a speed change: window's slider {med(window):.0f} ms "
          f"(target <= 60, {'met' if med(window) <= 60 else 'NOT met'}), bare playbin "
          f"{med(bare):.0f} ms; all runs: {window} / {bare}")

    ours = {0: [], 6: []}
    floor = []
    for _ in range(RUNS):
        for wait in ours:
            ours[wait].append(first_sound([os.path.join(bench, "bench_adapter_player"), song,
                                           "first", str(wait)], offscreen, pulse.env))
        floor.append(first_sound([os.path.join(bench, "bench_bare_player"), song, "first", "0"],
                                 offscreen, pulse.env))
    heard_floor = [f * 1000 for f in floor if f is not None]
    for wait, found in ours.items():
        heard = [f * 1000 for f in found if f is not None]
        what = f"play to first sound, {'at once' if wait == 0 else f'after {wait} s'}"
        if heard and heard_floor:
            line(what, med(heard), med(heard_floor), "ms", 1.1)
        print(f"    {what}: heard in {len(heard)} of {RUNS} runs, floor in {len(heard_floor)}; "
              f"all runs (s): {found} / {floor}")

    env = dict(session.env, XDG_RUNTIME_DIR=pulse.runtime)
    picture = program.path("Temi", "Festa", "tabella.jpg")
    board, bare = [], []
    for _ in range(RUNS):
        board.append(idle_memory([program.path("zefiro")], env, program.dir, "media-ready"))
        bare.append(idle_memory([os.path.join(bench, "bench_bare_player"), song, "idle", picture],
                                env, program.dir, "ready"))
    line("resident memory, idle", med(board), med(bare), "MB", 1.1)

    ours = cpu_while_playing([os.path.join(bench, "bench_adapter_player"), song, "25"], offscreen)
    theirs = cpu_while_playing(["gst-play-1.0", "--no-interactive", song], offscreen)
    line("CPU over 10 s of playback", ours * 1000, theirs * 1000, "ms", 1.1)


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "build"))
    os.environ.setdefault("ZEFIRO_PROGRAM_DIR", os.path.join(build, "zefiro"))
    for tool in ("pulseaudio", "pactl", "parec", "gst-launch-1.0", "gst-play-1.0", "Xvfb"):
        if shutil.which(tool) is None:
            sys.exit(f"{tool} not found (scripts/deps installs it)")
    pulse = PrivatePulse()
    try:
        with XSession() as session, tempfile.TemporaryDirectory() as folder:
            program = ProgramCopy()
            try:
                for n in range(25):
                    tone_wav(program.path("Musiche", f"song{n}.wav"), 2.0)
                program.write("Impostazioni.ini", "usazmp=0\r\nveragg=0\r\n")
                measure(build, session, pulse, program, folder)
            finally:
                program.cleanup()
    finally:
        pulse.close()


if __name__ == "__main__":
    main()
