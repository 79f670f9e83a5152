"""Installing Zefiro like a Linux program: `cmake --install` lays out the executable, the data,
the desktop entry, the icons and the metainfo, which the desktop's own validators accept; the
Debian package declares the run-time plugins; and the program unpacked from it starts as a normal
user, makes its per-user folder from the installed data, takes the demo pack and plays a song."""

import glob
import os
import signal
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from soundsession import sound_server_env  # noqa: E402
from xsession import XSession, number_box  # noqa: E402

NOBODY = 65534
ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)


def build_dir():
    folder = os.environ.get("ZEFIRO_BUILD_DIR")
    assert folder and os.path.isfile(os.path.join(folder, "CPackConfig.cmake")), \
        "ZEFIRO_BUILD_DIR must name the configured build folder"
    return folder


class Install(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory(prefix="zefiro-install-")
        os.chmod(self.tmp.name, 0o755)

    def tearDown(self):
        self.tmp.cleanup()

    def path(self, *names):
        return os.path.join(self.tmp.name, *names)

    def test_install_lays_out_a_valid_desktop_program(self):
        prefix = self.path("prefix")
        subprocess.run(["cmake", "--install", build_dir(), "--prefix", prefix], check=True,
                       stdout=subprocess.DEVNULL)
        share = os.path.join(prefix, "share")
        self.assertTrue(os.access(os.path.join(prefix, "bin", "zefiro"), os.X_OK))
        data = os.path.join(share, "zefiro")
        for name in ("Temi", "gr", "Spot", "Canto", "ColSon", "Ballo", "SceEdu"):
            self.assertTrue(os.path.isdir(os.path.join(data, name)), name)
        for name in ("icona.png", "puntatore.png", "PercorsiZMP.ini"):
            self.assertTrue(os.path.isfile(os.path.join(data, name)), name)
        self.assertEqual(len(glob.glob(os.path.join(data, "gr", "*.jpg"))), 55)
        # Nothing a run leaves in the build's program folder is installed.
        for name in ("Impostazioni.ini", "Percorsi.ini", "Ripristino.sav", "Musiche"):
            self.assertFalse(os.path.exists(os.path.join(data, name)), name)
        for size in ICON_SIZES:
            icon = os.path.join(share, "icons", "hicolor", f"{size}x{size}", "apps", "zefiro.png")
            out = subprocess.run(["identify", "-format", "%w %h", icon], check=True,
                                 capture_output=True, text=True).stdout
            self.assertEqual(out, f"{size} {size}")

        desktop = os.path.join(share, "applications", "zefiro.desktop")
        subprocess.run(["desktop-file-validate", desktop], check=True)
        with open(desktop, encoding="utf-8") as f:
            entry = f.read()
        self.assertIn("Categories=AudioVideo;", entry)
        self.assertIn("Game;", entry)
        metainfo = os.path.join(share, "metainfo", "org.example.zefiro.metainfo.xml")
        subprocess.run(["appstreamcli", "validate", "--no-net", metainfo], check=True,
                       stdout=subprocess.DEVNULL)

    def test_the_package_runs_for_a_normal_user(self):
        out = self.path("deb")
        subprocess.run(["cpack", "--config", os.path.join(build_dir(), "CPackConfig.cmake"),
                        "-B", out], check=True, stdout=subprocess.DEVNULL)
        [deb] = glob.glob(os.path.join(out, "zefiro_*.deb"))
        depends = subprocess.run(["dpkg-deb", "-f", deb, "Depends"], check=True,
                                 capture_output=True, text=True).stdout
        for package in ("gstreamer1.0-plugins-good", "gstreamer1.0-plugins-ugly",
                        "gstreamer1.0-libav", "timgm6mb-soundfont", "libqt6multimedia6"):
            self.assertIn(package, depends)
        root = self.path("root")
        subprocess.run(["dpkg-deb", "-x", deb, root], check=True)

        home, runtime = self.path("home"), self.path("run")
        for folder in (home, runtime):
            os.mkdir(folder, 0o700)
            os.chown(folder, NOBODY, NOBODY)
        with XSession() as session:
            env = dict(session.env, HOME=home, XDG_RUNTIME_DIR=runtime, USER="nobody")
            env.pop("XDG_DATA_HOME", None)
            as_nobody = ["setpriv", f"--reuid={NOBODY}", f"--regid={NOBODY}", "--clear-groups"]
            server_env = sound_server_env(runtime, env)
            subprocess.run(as_nobody + [
                "pulseaudio", "--daemonize=yes", "--exit-idle-time=-1", "-n",
                "--load=module-native-protocol-unix",
                "--load=module-null-sink sink_name=nullsink"], env=server_env, check=True,
                stderr=subprocess.DEVNULL)
            try:
                self.run_installed(session, as_nobody, env, root, home)
            finally:
                subprocess.run(as_nobody + ["pulseaudio", "--kill"], env=server_env,
                               stderr=subprocess.DEVNULL)

    def run_installed(self, session, as_nobody, env, root, home):
        program = subprocess.Popen(as_nobody + [os.path.join(root, "usr", "bin", "zefiro")],
                                   env=env, cwd=home, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        try:
            # The first start asks whether to use the demo pack; the default answer is yes.
            question = session.wait_window("Zefiro")
            session.xdotool("windowactivate", "--sync", question)
            shots = os.environ.get("ZEFIRO_SHOTS_DIR", self.tmp.name)
            session.screenshot(os.path.join(shots, "installed-first-start.png"))
            session.xdotool("key", "Return")
            folder = os.path.join(home, ".local", "share", "Zefiro")
            board = self.wait_board(session)
            self.assertTrue(os.path.isdir(os.path.join(folder, "Temi")))
            self.assertEqual(os.stat(folder).st_uid, NOBODY)
            songs = os.listdir(os.path.join(folder, "Musiche"))
            self.assertEqual(len(songs), 25, songs)
            self.assertFalse(os.path.exists(os.path.join(root, "usr", "bin", "Impostazioni.ini")))

            session.click_centre(number_box(board, 0, 0), 1)
            session.wait_window("Riproduzione  Spot 10.*")
            self.assertTrue(self.wait_stream(as_nobody, env), "no stream reached the sound server")
        finally:
            program.send_signal(signal.SIGTERM)
            try:
                program.wait(15)
            except subprocess.TimeoutExpired:
                program.kill()
                program.wait()

    def wait_board(self, session, timeout=30):
        deadline = time.time() + timeout
        while time.time() < deadline:
            for window in session.windows("Zefiro"):
                geometry = session.geometry(window)
                if geometry[2] > 600:
                    time.sleep(1.0)  # first layout pass and paint
                    return session.geometry(window)
            time.sleep(0.3)
        raise AssertionError("the board did not appear")

    def wait_stream(self, as_nobody, env, timeout=15):
        deadline = time.time() + timeout
        while time.time() < deadline:
            inputs = subprocess.run(as_nobody + ["pactl", "list", "short", "sink-inputs"],
                                    env=env, capture_output=True, text=True).stdout
            if inputs.strip():
                return True
            time.sleep(0.3)
        return False


if __name__ == "__main__":
    unittest.main()
