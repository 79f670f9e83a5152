"""The real executable on program folders left by older installations: a numbered paths file, a
commented paths file, a delivered pack with a ".svn" folder, songs that are missing. The start
converts what it finds, asks about the missing songs, and leaves the files checked here."""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from xsession import BoardTest, tone_wav  # noqa: E402

SECTIONS = ["[Spot]", "[Canto]", "[Colonne Sonore]", "[Ballo]", "[Scelte dagli educatori]"]


def written_form(names):
    lines = []
    for c, section in enumerate(SECTIONS):
        if c:
            lines.append("")
        lines.append(section)
        lines.extend(f"{c * 5 + n}={names[c * 5 + n]}" for n in range(5))
    return ("\r\n".join(lines) + "\r\n").encode("utf-8")


class StartupMigration(BoardTest):
    def setUp(self):
        super().setUp()
        for name in os.listdir(self.program.path("Musiche")):
            os.remove(self.program.path("Musiche", name))

    def song(self, *names):
        tone_wav(self.program.path(*names), 0.2, amplitude=0)

    def answer_song_check(self, shot_name):
        """Waits for the missing-songs question, keeps a picture of it over the progress window,
        and answers No."""
        box = self.session.wait_window("Controllo Canzoni")
        self.session.xdotool("windowmove", "--sync", box, 0, 0)   # uncover the progress window
        time.sleep(0.5)
        self.shot(shot_name)
        self.assertTrue(os.path.exists(self.program.path("CheckCanzoni.ini")),
                        "the song check list exists while slots need attention")
        self.session.press(box, "Escape")
        self.session.wait_window("Zefiro")
        time.sleep(1.0)

    def end_normally(self):
        super().end_normally()
        self.assertFalse(os.path.exists(self.program.path("CheckCanzoni.ini")))

    def test_numbered_paths_and_pack_with_svn(self):
        # Numbered layout: the five songs of category c under c * 7 + 2 .. c * 7 + 6.
        lines = ["[Vecchio formato]"]
        for c in range(5):
            lines.append(f"{c * 7}=intestazione{c}")
            for k in range(5):
                lines.append(f"{c * 7 + 2 + k}=old{c}{k}.wav")
        self.program.write("Percorsi.ini", "\r\n".join(lines) + "\r\n")
        for c in range(5):
            for k in range(5):
                if (c, k) not in ((2, 1), (4, 4)):     # two songs went missing
                    self.song("Musiche", f"old{c}{k}.wav")
        # A delivered pack: one song collides with a song already installed, and the pack
        # still carries its version-control folder.
        os.mkdir(self.program.path("Ballo"))
        self.song("Ballo", "old30.wav")
        self.song("Ballo", "nuova.wav")
        os.makedirs(self.program.path("Ballo", ".svn", "text-base"))
        self.program.write(os.path.join("Ballo", ".svn", "entries"), "10\n")
        self.program.write(os.path.join("Ballo", ".svn", "text-base", "nuova.wav.svn-base"), "x")

        self.program.start(self.session)
        self.answer_song_check("progress-at-start.png")

        names = [f"old{n // 5}{n % 5}.wav" for n in range(25)]
        names[15] = "old30(0).wav"         # the pack's copy took a free name, and the slot with it
        self.assertEqual(self.program.read("Percorsi.ini"), written_form(names))
        self.assertFalse(os.path.exists(self.program.path("Ballo")), "pack folder removed")
        songs = sorted(os.listdir(self.program.path("Musiche")))
        self.assertIn("old30.wav", songs)
        self.assertIn("old30(0).wav", songs)
        self.assertIn("nuova.wav", songs)
        self.assertNotIn(".svn", songs)
        self.assertEqual(self.program.read("CheckCanzoni.ini"), b"11;\r\n24;\r\n")
        self.end_normally()

    def test_commented_paths_file(self):
        names = [f"song{n}.wav" for n in range(25)]
        lines = [f"{n}={names[n]};commento {n}" for n in range(25)]
        lines[3] = ";3=vecchia.wav"                    # a commented-out entry still gives its name
        names[3] = "vecchia.wav"
        self.program.write("Percorsi.ini", "\r\n".join(lines) + "\r\n")
        for n in range(24):                          # slot 24's song is missing
            self.song("Musiche", names[n])

        self.program.start(self.session)
        self.answer_song_check("progress-commented.png")

        self.assertEqual(self.program.read("Percorsi.ini"), written_form(names))
        self.assertEqual(self.program.read("CheckCanzoni.ini"), b"24;\r\n")
        self.end_normally()


if __name__ == "__main__":
    unittest.main(verbosity=2)
