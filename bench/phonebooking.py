#!/usr/bin/env python3
"""Prints the time from a phone's press, sent on 127.0.0.1 over the page's WebSocket, to the
booking painted on the audience window ("Prenotata: X"), and from a team's key press to the
same, in the real program: a private display, a private sound server, two teams, the audience
window open and a song playing. Each booking is dropped again (Esc) before the next press.
The program reports the paint with ZEFIRO_REPORT_FIRST_PAINT=1 on the steady clock this script
reads too. The key press is timed from just before xdotool starts, so its figure includes
starting xdotool.
Usage: bench/phonebooking.py [build folder]"""

import os
import queue
import re
import socket
import statistics
import subprocess
import sys
import threading
import time

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "tests", "e2e"))
from soundsession import PrivatePulse  # noqa: E402
from wsphone import Phone  # noqa: E402
from xsession import ProgramCopy, XSession, tone_wav  # noqa: E402

PRESSES = 20
TARGET_MS = 50


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def lines_of(proc):
    lines = queue.Queue()

    def read():
        for line in proc.stdout:
            lines.put(line.decode(errors="replace").strip())
    threading.Thread(target=read, daemon=True).start()
    return lines


def next_booking(lines, timeout=5):
    deadline = time.monotonic() + timeout
    while True:
        line = lines.get(timeout=max(deadline - time.monotonic(), 0.01))
        if line.startswith("audience-booking "):
            return int(line.split()[1]) / 1000.0


def code_from_audience(session, timeout=20):
    """The game code as the audience window shows it, read through the accessibility tree."""
    from atspi import SYSTEM_PYTHON  # noqa: E402
    from tst_audience import _WINDOW_READER  # noqa: E402
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        out = subprocess.run([SYSTEM_PYTHON, "-c", _WINDOW_READER, "Zefiro", "Pubblico"],
                             env=session.env, capture_output=True, text=True, timeout=60).stdout
        found = re.search(r'"Codice: (\d{4})"', out)
        if found:
            return found.group(1)
        time.sleep(0.5)
    sys.exit("no game code on the audience window")


def measure(press, lines, drop):
    delays = []
    for _ in range(PRESSES):
        sent = time.monotonic_ns() / 1e6
        press()
        delays.append(next_booking(lines) - sent)
        time.sleep(0.2)
        drop()
        time.sleep(0.4)
    return sorted(delays)


def report(what, delays):
    print(f"{what}, {len(delays)} presses: median {statistics.median(delays):.1f} ms, "
          f"95th percentile {delays[int(0.95 * len(delays)) - 1]:.1f} ms, "
          f"max {delays[-1]:.1f} ms (target under {TARGET_MS} ms)")


def main():
    if len(sys.argv) > 1:
        os.environ["ZEFIRO_PROGRAM_DIR"] = os.path.join(sys.argv[1], "zefiro")
    os.environ.setdefault("ZEFIRO_PROGRAM_DIR", os.path.join(here, "..", "build", "zefiro"))
    from atspi import AccessibilityBus  # noqa: E402
    pulse = PrivatePulse()
    program = ProgramCopy()
    port = free_port()
    program.write("Squadre.ini", "1=Rossi;#E02020;A\r\n2=Blu;#2050FF;B\r\n")
    program.write("Impostazioni.ini", "usazmp=0\r\nveragg=0\r\nbuzzertelefoni=1\r\n"
                                      f"portabuzzer={port}\r\n")
    tone_wav(program.path("Musiche", "song0.wav"), 120.0)
    try:
        with XSession() as session, AccessibilityBus(session.env) as bus:
            session.env = dict(bus.env(), XDG_RUNTIME_DIR=pulse.runtime,
                               ZEFIRO_REPORT_FIRST_PAINT="1")
            program.start_board(session)
            lines = lines_of(program.proc)
            board = session.wait_window("Zefiro")
            session.press(board, "F5")
            session.wait_window("Pubblico")
            phone = Phone(port)
            phone.join(code_from_audience(session), 0)
            for key in ("Return", "Return"):
                session.press(board, key)
            player = session.wait_window("Riproduzione  Spot 10.*")
            session.xdotool("windowactivate", "--sync", player)
            time.sleep(2.0)
            drop = lambda: session.xdotool("key", "Escape")  # noqa: E731
            phones = measure(lambda: phone.send({"type": "press"}), lines, drop)
            keys = measure(lambda: session.xdotool("key", "b"), lines, drop)
            phone.close()
            program.stop(15)
    finally:
        program.cleanup()
        pulse.close()
    report("phone press on 127.0.0.1 -> \"Prenotata\" painted on the audience window", phones)
    report("key press (xdotool) -> \"Prenotata\" painted on the audience window", keys)


if __name__ == "__main__":
    main()
