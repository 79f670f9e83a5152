#!/usr/bin/env python3
"""Prints how long the board takes from start to its first paint, beside a bare maximised Qt
window with one label, and the board's CPU use over 10 idle seconds. Runs under a private Xvfb
display with a window manager. Usage: bench/startup.py [build folder]"""

import os
import statistics
import subprocess
import sys
import time

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "tests", "e2e"))
from xsession import ProgramCopy, XSession  # noqa: E402

RUNS = 7


def time_to_first_paint(command, env, cwd):
    env = dict(env, ZEFIRO_REPORT_FIRST_PAINT="1")
    start = time.perf_counter()
    proc = subprocess.Popen(command, cwd=cwd, env=env, stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL, text=True)
    for line in proc.stdout:
        if line.strip() == "first-paint":
            elapsed = time.perf_counter() - start
            break
    else:
        raise RuntimeError(f"{command[0]} ended without painting")
    return elapsed, proc


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "build"))
    os.environ.setdefault("ZEFIRO_PROGRAM_DIR", os.path.join(build, "zefiro"))
    bare = os.path.join(build, "bench", "bench_bare_window")
    with XSession() as session:
        program = ProgramCopy()
        try:
            board_times, bare_times = [], []
            for _ in range(RUNS):
                t, proc = time_to_first_paint([program.path("zefiro")], session.env, program.dir)
                board_times.append(t)
                proc.terminate()
                proc.wait(10)
                t, proc = time_to_first_paint([bare], session.env, program.dir)
                bare_times.append(t)
                proc.terminate()
                proc.wait(10)

            _, proc = time_to_first_paint([program.path("zefiro")], session.env, program.dir)
            time.sleep(2)
            before = cpu_seconds(proc.pid)
            time.sleep(10)
            idle = cpu_seconds(proc.pid) - before
            proc.terminate()
            proc.wait(10)
        finally:
            program.cleanup()

    board, floor = statistics.median(board_times), statistics.median(bare_times)
    print(f"start to first paint, median of {RUNS}: board {board * 1000:.0f} ms, "
          f"bare window {floor * 1000:.0f} ms, ratio {board / floor:.2f} (target <= 1.5)")
    print(f"board CPU over 10 idle seconds: {idle * 1000:.0f} ms "
          f"({idle / 10 * 100:.2f}% of one core; target: none measurable)")


if __name__ == "__main__":
    main()
