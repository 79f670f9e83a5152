#!/usr/bin/env python3
"""Prints the time from a phone's press, sent on 127.0.0.1 over the page's WebSocket, to the
booking the buzzer server signals (the buzzer harness: two teams, a song playing, each booking
dropped again after a moment so the next press books). The phone is this script speaking the
WebSocket protocol itself; both sides read the same steady clock.
Usage: bench/phonepress.py [build folder]"""

import os
import socket
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from wsphone import Phone  # noqa: E402

PRESSES = 100
REOPEN_MS = 20
PACE_S = 0.06               # within the server's message budget for one phone


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "build")
    harness = os.path.join(build, "tests", "remote", "buzzer_harness")
    server = subprocess.Popen([harness, str(free_port()), str(REOPEN_MS)],
                              stdout=subprocess.PIPE, text=True)
    try:
        _, port, code = server.stdout.readline().split()
        phone = Phone(int(port))
        phone.join(code, 0)
        delays = []
        for _ in range(PRESSES):
            phone.read()
            phone.messages.clear()
            sent = time.monotonic_ns()
            phone.send({"type": "press"})
            _, result, booked = server.stdout.readline().split()[1:]
            if result != "booked":
                sys.exit(f"press {len(delays) + 1} was {result}, not booked")
            delays.append((int(booked) - sent) / 1e6)
            time.sleep(PACE_S)
    finally:
        server.terminate()
        server.wait()
    delays.sort()
    print(f"phone press on 127.0.0.1 -> booking signalled by the server, {PRESSES} presses:")
    print(f"  median {statistics.median(delays):.2f} ms, 95th percentile "
          f"{delays[int(0.95 * len(delays)) - 1]:.2f} ms, max {delays[-1]:.2f} ms")
    print("This is the time to the server's signal; bench/phonebooking.py times the press to the")
    print("booking painted on the audience window in the real program, beside a key press.")


if __name__ == "__main__":
    main()
