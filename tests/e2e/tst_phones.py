"""Phones as buzzers on the real executable: with "Buzzer sui telefoni" on and two teams, the
audience window shows the page's address and game code; a phone that joins with that code and
presses while a song plays books the answer as the team's key does (the song pauses at the sound
server, "Prenotata" shows), a second phone is told it came too late, and the phones follow the
song until the playback window closes."""

import json
import os
import re
import socket
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from atspi import SYSTEM_PYTHON, AccessibilityBus  # noqa: E402
from soundsession import SoundTest, bell_then_quiet, first_sound  # noqa: E402
from tst_audience import _WINDOW_READER  # noqa: E402
from wsphone import Phone  # noqa: E402
from xsession import tone_wav, wait_until  # noqa: E402

APP = "Zefiro"


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def is_song(state, team=-1):
    return lambda m: m.get("type") == "song" and m["state"] == state and m["team"] == team


def is_result(result):
    return lambda m: m.get("type") == "press" and m["result"] == result


class PhonesAsBuzzers(SoundTest):
    def setUp(self):
        super().setUp()
        self.bus = AccessibilityBus(self.session.env).__enter__()
        self.addCleanup(self.bus.__exit__, None, None, None)
        self.session.env = self.bus.env()
        self.port = free_port()
        self.program.write("Squadre.ini", "1=Rossi;#E02020;A\r\n2=Blu;#2050FF;B\r\n")
        self.program.write("Impostazioni.ini", "usazmp=0\r\nveragg=0\r\nbuzzertelefoni=1\r\n"
                                               f"portabuzzer={self.port}\r\n")
        tone_wav(self.program.path("Musiche", "song0.wav"), 20.0)

    def audience(self):
        out = subprocess.run([SYSTEM_PYTHON, "-c", _WINDOW_READER, APP, "Pubblico"],
                             env=self.bus.env(), check=True, capture_output=True, text=True,
                             timeout=60).stdout
        return json.loads(out) or []

    def wait_audience(self, condition, what, timeout=20):
        seen = []

        def met():
            seen[:] = [self.audience()]
            return condition(seen[0])
        wait_until(met, f"{what}; shown: {seen}", timeout)
        return seen[0]

    def test_phone_books_and_the_other_is_late(self):
        self.start_board()
        board = self.session.wait_window("Zefiro")
        self.session.press(board, "F5")
        self.session.wait_window("Pubblico")
        names = self.wait_audience(lambda n: any(x.startswith("Codice: ") for x in n),
                                   "the game code in Pubblico")
        code = next(x for x in names if x.startswith("Codice: "))[len("Codice: "):]
        self.assertRegex(code, r"^\d{4}$")
        self.assertTrue([x for x in names if re.fullmatch(rf"http://[\d.]+:{self.port}/", x)],
                        names)

        self.session.xdotool("windowactivate", "--sync", self.session.wait_window("Pubblico"))
        time.sleep(0.5)
        self.shot("phones-audience.png")

        blue, red = Phone(self.port), Phone(self.port)
        self.addCleanup(blue.close)
        self.addCleanup(red.close)
        blue.join(code, 1)
        red.join(code, 0)

        recording = self.record()
        # Enter shows the frame on Spot 10, Enter plays it.
        for key in ("Return", "Return"):
            self.session.press(board, key)
        player = self.session.wait_window("Riproduzione  Spot 10.*")
        wait_until(lambda: first_sound(recording.levels()) is not None, "the song's sound", 20)
        for phone in (blue, red):
            phone.wait(is_song("open"), "the song open")
        time.sleep(1.0)
        baseline = max(recording.levels())

        blue.send({"type": "press"})
        time.sleep(0.005)
        red.send({"type": "press"})
        # Every phone hears of the booking, then each phone of what became of its own press.
        for phone in (blue, red):
            phone.wait(is_song("booked", 1), "the song booked by Blu")
        blue.wait(is_result("booked"), "Blu booked")
        red.wait(is_result("late"), "Rossi too late")
        self.wait_audience(lambda n: "Prenotata: Blu" in n, "the booking in Pubblico")
        self.assertIn("Prenotata: Blu", {n["name"] for n in self.bus.nodes(APP)})

        # The song pauses at once: the bell, then a second of silence long before its end.
        self.stop_recording("the bell and a second of silence after the press",
                            bell_then_quiet(baseline), timeout=8)
        self.shot("phones-booking.png")

        # Sbagliata: Blu is out, the song goes on open to Rossi, and Blu's phone is locked out.
        self.session.press(player, "BackSpace")
        blue.wait(lambda m: is_song("open")(m) and m["locked"] == [1], "the song open, Blu out")
        blue.send({"type": "press"})
        blue.wait(is_result("locked"), "Blu locked out")
        # Closing the window closes the song on the phones.
        self.session.press(player, "Escape")
        time.sleep(1.0)
        if player in self.session.windows():
            self.session.press(player, "Escape")
        wait_until(lambda: player not in self.session.windows(), "the playback window closed")
        red.wait(is_song("closed"), "the song closed")
        self.end_normally()


if __name__ == "__main__":
    unittest.main()
