"""Sound for the end-to-end tests: a private PulseAudio with a null sink that takes the
program's songs, and a recording of that sink's monitor, judged by the level of each 100 ms."""

import array
import math
import os
import re
import shutil
import subprocess
import tempfile
import threading
import time

from xsession import BoardTest, wait_until

RATE = 8000
CHUNK = RATE // 10                      # 100 ms of samples


def sound_server_env(runtime, base=None):
    """The environment of a private PulseAudio and its clients: base (this process's by default)
    with the runtime folder, and nothing that reaches a desktop. With DISPLAY the server starts
    a session bus through the X server when it finds none, and servers starting at the same
    moment fail against each other ("Daemon startup failed")."""
    env = dict(os.environ if base is None else base, XDG_RUNTIME_DIR=runtime)
    for name in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS"):
        env.pop(name, None)
    return env


class PrivatePulse:
    """A PulseAudio of our own, reached through its own XDG_RUNTIME_DIR."""

    def __init__(self):
        self.runtime = tempfile.mkdtemp(prefix="zefiro-pulse-")
        self.env = sound_server_env(self.runtime)
        subprocess.run(["pulseaudio", "--daemonize=yes", "--exit-idle-time=-1", "-n",
                        "--load=module-native-protocol-unix",
                        "--load=module-null-sink sink_name=nullsink"],
                       env=self.env, check=True, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=30)
        deadline = time.time() + 10
        while self.pactl("info").returncode != 0:
            if time.time() > deadline:
                raise RuntimeError("the private PulseAudio did not start")
            time.sleep(0.2)

    def pactl(self, *args):
        return subprocess.run(["pactl", *args], env=self.env, capture_output=True, text=True,
                              timeout=10)

    def sink_inputs(self):
        """(index, corked, volume percent) of every stream playing into the sinks."""
        out = self.pactl("list", "sink-inputs").stdout
        inputs = []
        for block in re.split(r"\n(?=Sink Input #)", out.strip()):
            found = re.match(r"Sink Input #(\d+)", block)
            if not found:
                continue
            corked = re.search(r"Corked: (\w+)", block)
            volume = re.search(r"Volume:.*?(\d+)%", block)
            inputs.append((int(found.group(1)), corked and corked.group(1) == "yes",
                           int(volume.group(1)) if volume else None))
        return inputs

    def playing_streams(self):
        """The streams that are not corked: a player opens a corked stream when it loads its
        song and may open another one for its first play."""
        return [i for i in self.sink_inputs() if not i[1]]

    def close(self):
        subprocess.run(["pulseaudio", "--kill"], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=15)
        shutil.rmtree(self.runtime, ignore_errors=True)


def levels(raw):
    """RMS of each 100 ms of signed 16-bit mono samples."""
    samples = array.array("h")
    samples.frombytes(raw[:len(raw) // 2 * 2])
    return [math.sqrt(sum(s * s for s in samples[i:i + CHUNK]) / CHUNK)
            for i in range(0, len(samples) - CHUNK + 1, CHUNK)]


def first_sound(level):
    """Index of the first chunk with sound: the monitor delivers silence for a moment before
    the first samples arrive."""
    return next((i for i, v in enumerate(level) if v > 1), None)


def holds_sound(level, chunks):
    """True once the levels hold chunks of 100 ms from the first sound on."""
    first = first_sound(level)
    return first is not None and len(level) >= first + chunks


class Recording:
    """parec on the null sink's monitor, read as it comes so that nothing stays behind in a
    pipe or in the server when the recording ends."""

    def __init__(self, env):
        self.process = subprocess.Popen(
            ["parec", "--device=nullsink.monitor", "--format=s16le", f"--rate={RATE}",
             "--channels=1", "--raw", "--latency-msec=20"],
            env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.raw = bytearray()
        self.lock = threading.Lock()
        self.reader = threading.Thread(target=self.read, daemon=True)
        self.reader.start()

    def read(self):
        while True:
            data = self.process.stdout.read1(65536)
            if not data:
                return
            with self.lock:
                self.raw.extend(data)

    def levels(self):
        with self.lock:
            raw = bytes(self.raw)
        return levels(raw)

    def samples(self):
        """Samples recorded so far."""
        with self.lock:
            return len(self.raw) // 2

    def seconds_to_sound(self, since_sample, since, level, timeout=10):
        """Seconds from the clock's reading since (time.perf_counter()) to the arrival of the
        first sample above level after since_sample, or None. Timed by the clock, not counted
        in samples: the monitor drops part of what it held back when a stream starts, so the
        samples before the sound can be far fewer than the time that passed (on the first
        sound after a program starts, by 400 to 600 ms)."""
        deadline = time.time() + timeout
        checked = since_sample
        while time.time() < deadline:
            with self.lock:
                raw = bytes(self.raw[checked * 2:])
            arrived = time.perf_counter()
            samples = memoryview(raw[:len(raw) // 2 * 2]).cast("h")
            if any(abs(s) > level for s in samples):
                return arrived - since
            checked += len(samples)
            time.sleep(0.005)
        return None

    def close(self):
        if self.process.poll() is None:
            self.process.kill()
        self.process.wait()
        self.reader.join(timeout=10)
        self.process.stdout.close()


class SoundTest(BoardTest):
    """A test of the program on a private display with a private sound server. Each test
    writes its songs and settings into self.program before starting it."""

    def setUp(self):
        for tool in ("pulseaudio", "pactl", "parec"):
            self.assertIsNotNone(shutil.which(tool), f"{tool} is needed for the sound test")
        self.recorder = None
        self.pulse = PrivatePulse()
        self.addCleanup(self.pulse.close)
        super().setUp()
        self.session.env["XDG_RUNTIME_DIR"] = self.pulse.runtime
        self.addCleanup(self.end_recording)

    def record(self):
        self.end_recording()
        self.recorder = Recording(self.pulse.env)
        return self.recorder

    def end_recording(self):
        if self.recorder:
            self.recorder.close()
            self.recorder = None

    def stop_recording(self, what, test, timeout=30):
        """Levels recorded once they pass the test. The sound server hands the samples over
        late when the machine is busy, so a recording is judged by what it holds, not by the
        time that has passed."""
        deadline = time.time() + timeout
        level = self.recorder.levels()
        while not test(level) and time.time() < deadline:
            time.sleep(0.1)
            level = self.recorder.levels()
        self.end_recording()
        self.assertTrue(test(level), f"the recording never held {what}: {[round(v) for v in level]}")
        return level

    def wait_for(self, what, test, timeout):
        return wait_until(test, f"{what} within {timeout} s", timeout)

    def watch_stream(self, stream, since, timeout):
        """Seconds from since until the stream leaves the sink or is corked (None when it
        stays past timeout), and every volume the server gave it until then."""
        volumes = set()
        while time.time() < since + timeout:
            mine = [i for i in self.pulse.sink_inputs() if i[0] == stream]
            if not mine or mine[0][1]:
                return time.time() - since, volumes
            volumes.add(mine[0][2])
            time.sleep(0.1)
        return None, volumes
