"""The real executable: the start-up update check against a server on 127.0.0.1 opens
"Aggiornamenti" only for a newer version and never holds the board back; Ctrl + right click
opens "Opzioni"."""

import http.server
import os
import sys
import threading
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from xsession import BoardTest, ProgramCopy, wait_until  # noqa: E402
from tst_options import AVANZATE_TAB, OK_BUTTON, RIPETI_IL_FILE  # noqa: E402


class VersionServer:
    """Answers /version.txt with text, or never answers when text is None."""

    def __init__(self, text):
        release = threading.Event()
        self.release = release

        class Handler(http.server.BaseHTTPRequestHandler):
            def do_GET(self):
                if text is None:
                    release.wait(20)
                    return
                body = text.encode()
                self.send_response(200)
                self.send_header("Content-Length", str(len(body)))
                self.end_headers()
                self.wfile.write(body)

            def log_message(self, *args):
                pass

        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        self.server.daemon_threads = True
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        self.host = f"127.0.0.1:{self.server.server_address[1]}"

    def close(self):
        self.release.set()
        self.server.shutdown()
        self.server.server_close()


class OptionsAndUpdate(BoardTest):
    SCREEN = (1024, 768)

    def start_with(self, text, veragg=1):
        self.server = VersionServer(text)
        self.addCleanup(self.server.close)
        self.session.env["ZEFIRO_UPDATE_HOST"] = self.server.host
        self.program.write("Impostazioni.ini", f"usazmp=0\r\nveragg={veragg}\r\n")
        started = time.monotonic()
        self.program.start(self.session)
        self.session.wait_window("Zefiro")
        return time.monotonic() - started

    def test_newer_version_opens_the_update_window(self):
        self.start_with("9.9.9")
        self.session.wait_window("Aggiornamenti", timeout=15)

    def test_same_version_opens_nothing(self):
        self.start_with("2.1.1\r\n")
        time.sleep(3)
        self.assertEqual(self.session.windows("Aggiornamenti"), [])

    def test_silent_server_does_not_delay_the_board(self):
        quiet = self.start_with(None, veragg=1)
        self.program.cleanup()
        self.server.close()
        self.program = ProgramCopy()
        self.addCleanup(self.program.cleanup)
        plain = self.start_with("2.1.1", veragg=0)
        print(f"board window after {quiet:.2f} s with a silent server, {plain:.2f} s without check")
        self.assertLess(quiet, plain + 2.0)

    def test_ctrl_right_click_opens_options(self):
        window = self.open_options(self.start_board())
        for place in (AVANZATE_TAB, RIPETI_IL_FILE, OK_BUTTON):
            self.click_window(window, place)
        wait_until(lambda: not self.session.windows("Opzioni"), "OK should close the window", 10)
        self.assertIn(b"riprodcontinua=1\r\n", self.program.read("Impostazioni.ini"))


if __name__ == "__main__":
    unittest.main()
