"""A phone of the buzzer page as a test sees it: the page's WebSocket protocol spoken over a
plain socket (the opening handshake, masked text frames out, unmasked text frames in)."""

import base64
import json
import os
import select
import socket
import struct
import time


class Phone:
    def __init__(self, port, host="127.0.0.1", timeout=10):
        self.sock = socket.create_connection((host, port), timeout=timeout)
        self.sock.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
        key = base64.b64encode(os.urandom(16)).decode()
        self.sock.sendall((f"GET /ws HTTP/1.1\r\nHost: {host}:{port}\r\nUpgrade: websocket\r\n"
                           f"Connection: Upgrade\r\nSec-WebSocket-Key: {key}\r\n"
                           "Sec-WebSocket-Version: 13\r\n\r\n").encode())
        answer = b""
        while b"\r\n\r\n" not in answer:
            chunk = self.sock.recv(4096)
            if not chunk:
                raise ConnectionError("closed during the handshake")
            answer += chunk
        head, self.buffer = answer.split(b"\r\n\r\n", 1)
        if not head.startswith(b"HTTP/1.1 101"):
            raise ConnectionError("no WebSocket: " + head.decode(errors="replace"))
        self.messages = []

    def send(self, message):
        data = json.dumps(message, separators=(",", ":")).encode()
        mask = os.urandom(4)
        if len(data) < 126:
            head = bytes([0x81, 0x80 | len(data)])
        else:
            head = bytes([0x81, 0x80 | 126]) + struct.pack("!H", len(data))
        self.sock.sendall(head + mask + bytes(b ^ mask[i % 4] for i, b in enumerate(data)))

    def _frame(self):
        """One whole text frame from the buffer, or None while it is incomplete."""
        if len(self.buffer) < 2:
            return None
        length, start = self.buffer[1] & 0x7F, 2
        if length == 126:
            if len(self.buffer) < 4:
                return None
            length, start = struct.unpack("!H", self.buffer[2:4])[0], 4
        elif length == 127:
            if len(self.buffer) < 10:
                return None
            length, start = struct.unpack("!Q", self.buffer[2:10])[0], 10
        if len(self.buffer) < start + length:
            return None
        opcode, payload = self.buffer[0] & 0x0F, self.buffer[start:start + length]
        self.buffer = self.buffer[start + length:]
        if opcode == 0x8:
            raise ConnectionError("closed by the server")
        return json.loads(payload) if opcode == 0x1 else {}

    def read(self, wait=0.0):
        """Every message that has arrived, waiting up to `wait` seconds for the first."""
        deadline = time.monotonic() + wait
        while True:
            frame = self._frame()
            while frame is not None:
                if frame:
                    self.messages.append(frame)
                frame = self._frame()
            left = deadline - time.monotonic()
            ready, _, _ = select.select([self.sock], [], [], max(left, 0))
            if not ready:
                return self.messages
            chunk = self.sock.recv(65536)
            if not chunk:
                raise ConnectionError("closed by the server")
            self.buffer += chunk

    def wait(self, test, what, timeout=10):
        """The first message met by test, read since the last wait."""
        deadline = time.monotonic() + timeout
        while True:
            for i, message in enumerate(self.messages):
                if test(message):
                    del self.messages[:i + 1]
                    return message
            left = deadline - time.monotonic()
            if left <= 0:
                raise AssertionError(f"no {what} within {timeout} s; got {self.messages}")
            self.read(min(left, 0.2))

    def join(self, code, team):
        self.send({"type": "join", "code": code})
        self.wait(lambda m: m.get("type") == "welcome", "welcome")
        self.send({"type": "team", "team": team})
        self.wait(lambda m: m.get("type") == "team" and m.get("team") == team, "team taken")

    def close(self):
        self.sock.close()
