"""A MIDI song plays through the real executable: a generated multi-note MIDI file on number
Spot 10, a private PulseAudio with a null sink, and the sink's monitor must hear the notes."""

import os
import struct
import sys
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from xsession import number_box  # noqa: E402
from soundsession import SoundTest, first_sound, holds_sound  # noqa: E402


def variable_length(n):
    out = [n & 0x7F]
    n >>= 7
    while n:
        out.insert(0, 0x80 | (n & 0x7F))
        n >>= 7
    return bytes(out)


def midi_file(path, notes=(60, 64, 67, 72, 67, 64, 60, 64, 67, 72), ticks=480):
    """A type-0 standard MIDI file: piano, the notes one after another, half a second each."""
    events = bytearray()
    events += variable_length(0) + bytes([0xFF, 0x51, 3]) + (500000).to_bytes(3, "big")
    events += variable_length(0) + bytes([0xC0, 0])
    for note in notes:
        events += variable_length(0) + bytes([0x90, note, 100])
        events += variable_length(ticks) + bytes([0x80, note, 0])
    events += variable_length(0) + bytes([0xFF, 0x2F, 0])
    with open(path, "wb") as f:
        f.write(b"MThd" + struct.pack(">IHHH", 6, 0, 1, ticks) + b"MTrk" +
                struct.pack(">I", len(events)) + events)


class MidiPlays(SoundTest):
    def setUp(self):
        super().setUp()
        midi_file(self.program.path("Musiche", "song0.mid"))
        paths = self.program.read("Percorsi.ini").decode().replace("0=song0.wav", "0=song0.mid")
        self.program.write("Percorsi.ini", paths)
        self.program.write("Impostazioni.ini", "usazmp=0\r\nveragg=0\r\nautoplay=1\r\n"
                           "ckvolprinc=1\r\nvolprinc=100\r\n")

    def test_a_midi_song_is_heard(self):
        board = self.start_board()
        self.record()
        self.session.click_centre(number_box(board, 0, 0), 1)
        self.session.wait_window("Riproduzione  Spot 10.*")
        level = self.stop_recording("two seconds of the MIDI song", lambda lv: holds_sound(lv, 20))
        first = first_sound(level)
        heard = [v for v in level[first:first + 20] if v > 100]
        self.assertGreaterEqual(len(heard), 10,
                                f"the notes should sound for a while: {[round(v) for v in level]}")
        self.end_normally()


if __name__ == "__main__":
    unittest.main(verbosity=2)
