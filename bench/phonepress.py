#!/usr/bin/env python3
"""Prints the time from a phone's press, sent on 127.0.0.1 over the page's WebSocket, to the
booking the buzzer server signals (the buzzer harness: two teams, a song playing, each booking
dropped again after a moment so the next press books). The phone is this script speaking the
WebSocket protocol itself; both sides read the same steady clock.
Usage: bench/phonepress.py [build folder]"""

import base64
import os
import socket
import statistics
import subprocess
import sys
import time

PRESSES = 100
REOPEN_MS = 20
PACE_S = 0.06               # within the server's message budget for one phone


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


class Phone:
    def __init__(self, port):
        self.sock = socket.create_connection(("127.0.0.1", port))
        self.sock.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
        key = base64.b64encode(os.urandom(16)).decode()
        self.sock.sendall((f"GET /ws HTTP/1.1\r\nHost: 127.0.0.1:{port}\r\nUpgrade: websocket\r\n"
                           f"Connection: Upgrade\r\nSec-WebSocket-Key: {key}\r\n"
                           "Sec-WebSocket-Version: 13\r\n\r\n").encode())
        answer = b""
        while b"\r\n\r\n" not in answer:
            answer += self.sock.recv(4096)
        if not answer.startswith(b"HTTP/1.1 101"):
            sys.exit("no WebSocket: " + answer.decode(errors="replace").splitlines()[0])
        self.sock.setblocking(False)

    def send(self, text):
        data = text.encode()
        mask = os.urandom(4)
        self.sock.sendall(bytes([0x81, 0x80 | len(data)]) + mask +
                          bytes(b ^ mask[i % 4] for i, b in enumerate(data)))

    def drain(self):
        try:
            while self.sock.recv(65536):
                pass
        except BlockingIOError:
            pass


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "build")
    harness = os.path.join(build, "tests", "remote", "buzzer_harness")
    server = subprocess.Popen([harness, str(free_port()), str(REOPEN_MS)],
                              stdout=subprocess.PIPE, text=True)
    try:
        _, port, code = server.stdout.readline().split()
        phone = Phone(int(port))
        phone.send('{"type":"join","code":"%s"}' % code)
        time.sleep(0.1)
        phone.send('{"type":"team","team":0}')
        time.sleep(0.1)
        delays = []
        for _ in range(PRESSES):
            phone.drain()
            sent = time.monotonic_ns()
            phone.send('{"type":"press"}')
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
    print("The audience window that will show the booking does not exist yet: this is the time")
    print("to the server's signal, not to a screen, and the key press has no counterpart here.")


if __name__ == "__main__":
    main()
