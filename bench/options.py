#!/usr/bin/env python3
"""Runs bench_options (the options window opened by Ctrl + right click, beside the board's own
start-up and a bare dialog with one tab widget) on a private Xvfb display with a window
manager, as a presenter's screen would show them. Usage: bench/options.py [build folder]"""

import os
import subprocess
import sys

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "tests", "e2e"))
from xsession import XSession  # noqa: E402


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "build"))
    env_program = os.environ.get("ZEFIRO_PROGRAM_DIR", os.path.join(build, "zefiro"))
    with XSession(1024, 768) as session:
        env = dict(session.env, ZEFIRO_PROGRAM_DIR=env_program)
        result = subprocess.run([os.path.join(build, "bench", "bench_options")], env=env,
                                stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    sys.stdout.write(result.stdout)
    return result.returncode


if __name__ == "__main__":
    sys.exit(main())
