#!/usr/bin/env python3
"""Prints how long our media player adapter takes from the play request to reporting playing,
for a WAV and an MP3, beside a bare QMediaPlayer program (the floor), and the CPU our adapter
program uses over 10 s of playback beside gst-play-1.0 playing the same file. Runs with a
private PulseAudio server (null sink) in its own runtime folder, ended at the end.
Usage: bench/playback.py [build folder]"""

import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "tests", "e2e"))
from soundsession import PrivatePulse  # noqa: E402

RUNS = 9
CPU_SECONDS = 10


def gst(pipeline):
    subprocess.run(["gst-launch-1.0", "-q"] + pipeline.split(), check=True)


def make_media(folder):
    wav = os.path.join(folder, "tone.wav")
    mp3 = os.path.join(folder, "tone.mp3")
    # 30 s each: long enough for the CPU window after start-up.
    buffers = 30 * 44100 // 1024
    gst(f"audiotestsrc num-buffers={buffers} ! audio/x-raw,rate=44100,channels=2 ! "
        f"wavenc ! filesink location={wav}")
    gst(f"audiotestsrc num-buffers={buffers} ! audioconvert ! lamemp3enc ! xingmux ! "
        f"filesink location={mp3}")
    return wav, mp3


def time_to_playing(program, media, mode, env):
    out = subprocess.run([program, media, mode], env=env, stdout=subprocess.PIPE,
                         stderr=subprocess.DEVNULL, text=True, timeout=30)
    for line in out.stdout.splitlines():
        if line.startswith("playing "):
            return float(line.split()[1])
    raise RuntimeError(f"{os.path.basename(program)} did not report playing for {media}")


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def cpu_while_playing(command, env):
    proc = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    try:
        time.sleep(2)  # past start-up
        if proc.poll() is not None:
            raise RuntimeError(f"{command[0]} ended early")
        before = cpu_seconds(proc.pid)
        time.sleep(CPU_SECONDS)
        used = cpu_seconds(proc.pid) - before
        if proc.poll() is not None:
            raise RuntimeError(f"{command[0]} ended before the window was over")
        return used
    finally:
        proc.terminate()
        proc.wait(10)


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "build"))
    adapter = os.path.join(build, "bench", "bench_adapter_player")
    bare = os.path.join(build, "bench", "bench_bare_player")
    for tool in ("gst-launch-1.0", "gst-play-1.0", "pulseaudio", "pactl"):
        if shutil.which(tool) is None:
            sys.exit(f"{tool} not found (scripts/deps installs it)")
    pulse = PrivatePulse()
    try:
        with tempfile.TemporaryDirectory() as folder:
            measure(adapter, bare, make_media(folder), dict(pulse.env, QT_QPA_PLATFORM="offscreen"))
    finally:
        pulse.close()


def measure(adapter, bare, media, env):
    wav, mp3 = media
    print(f"play request to playing, median of {RUNS} (target: adapter <= 1.2 x bare)")
    for mode, meaning in (("cold", "play right after the URL"),
                          ("warm", "play 0.5 s after the URL, as automatic start does")):
        for name, path in (("WAV", wav), ("MP3", mp3)):
            ours, floor = [], []
            for _ in range(RUNS):
                ours.append(time_to_playing(adapter, path, mode, env))
                floor.append(time_to_playing(bare, path, mode, env))
            a, b = statistics.median(ours), statistics.median(floor)
            ratio = f"{a / b:.2f}" if b > 0 else "n/a"
            print(f"  {mode} ({meaning}), {name}: adapter {a:.1f} ms, bare {b:.1f} ms, "
                  f"ratio {ratio}")

    print(f"CPU over {CPU_SECONDS} s of playback (target: adapter <= 2 x gst-play-1.0)")
    for name, path in (("WAV", wav), ("MP3", mp3)):
        ours = cpu_while_playing([adapter, path, "25"], env)
        theirs = cpu_while_playing(["gst-play-1.0", "--no-interactive", path], env)
        ratio = f"{ours / theirs:.2f}" if theirs > 0 else "n/a"
        print(f"  {name}: adapter {ours * 1000:.0f} ms, gst-play-1.0 {theirs * 1000:.0f} ms, "
              f"ratio {ratio}")


if __name__ == "__main__":
    main()
