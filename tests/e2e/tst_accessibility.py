"""The playback window read through the accessibility tree, as a screen reader or voice control
reads it: every button and slider has a name and a role, "Play", "Stop" and the speed slider are
found by them, and pressing "Play" by name plays the song."""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from atspi import attach  # noqa: E402
from xsession import BoardTest, tone_wav, wait_until  # noqa: E402

CAPTION = "Riproduzione  Spot 10  00,0%"
APP = "Zefiro"


class Accessibility(BoardTest):
    def setUp(self):
        super().setUp()
        self.bus = attach(self)
        tone_wav(self.program.path("Musiche", "song0.wav"), 8.0)
        self.program.write("Impostazioni.ini", "usazmp=0\r\nveragg=0\r\nautoplay=0\r\n")

    def player_nodes(self):
        """The nodes of the playback window: those after its frame in the tree's order, up to
        the next frame."""
        nodes = self.bus.nodes(APP)
        start = next(i for i, n in enumerate(nodes)
                     if n["role"] in ("dialog", "frame") and n["name"].startswith("Riproduzione"))
        end = next((i for i, n in enumerate(nodes[start + 1:], start + 1)
                    if n["role"] in ("dialog", "frame")), len(nodes))
        return nodes[start + 1:end]

    def test_controls_are_named_and_pressed_by_name(self):
        board = self.start_board()
        self.open_number(board, 0, CAPTION)
        nodes = wait_until(self.player_nodes, "the playback window is not in the tree", 15)

        def named(name, role):
            """The controls on screen of that name and role (the window keeps hidden command
            buttons of its own)."""
            return [n for n in nodes
                    if n["name"] == name and n["role"] == role and "showing" in n["states"]]

        self.assertTrue(named("Play", "push button"), "no push button named Play")
        self.assertTrue(named("Stop", "push button"), "no push button named Stop")
        self.assertTrue(named("Velocità della traccia", "slider"), "no speed slider")
        for name in ("Volume del Computer", "Volume di Windows Media Player"):
            self.assertTrue(named(name, "slider"), f"no slider named {name!r}")
        unnamed = [n for n in nodes if n["role"] in ("push button", "slider") and not n["name"]]
        self.assertEqual(unnamed, [], "every button and slider has a name")
        buttons = sorted({n["name"] for n in nodes if n["role"] == "push button"})
        for name in ("Chiudi", "Mixer audio", "Mostra scheda", "Nascondi scheda",
                     "Muto: Disattivato", "Ripeti: Disattivato", "Aggancia player: Attivato"):
            self.assertIn(name, buttons)

        # Pressed by its name, "Play" plays: the button is then named by its other state.
        self.assertTrue(self.bus.press(APP, "Play", "push button"))
        wait_until(lambda: any(n["name"] == "Pausa" and n["role"] == "push button"
                               for n in self.player_nodes()),
                   "after Play no button is named Pausa", 10)
        time.sleep(1.5)
        window = self.session.windows("Riproduzione  Spot 10  .*")[0]
        title = self.session.xdotool("getwindowname", window).strip()
        self.assertNotIn("00,0%", title, "the song plays on")


if __name__ == "__main__":
    unittest.main()
