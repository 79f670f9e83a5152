"""The accessibility tree of a program on the test display, as a screen reader or voice control
reads it: a private session bus with the AT-SPI registry, and Debian's pyatspi run by the
system's python in a child process (it is not on other pythons' paths)."""

import json
import os
import subprocess

SYSTEM_PYTHON = "/usr/bin/python3"
BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"

# Run by the system python: prints every node of the application named sys.argv[1] as one JSON
# list of {name, role, states, actions, box}, or presses the first node of name and role.
_READER = r"""
import json, sys
import pyatspi

def find_app(name):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.name == name:
            return app
    return None

def walk(node, out, depth=0):
    if node is None or depth > 40:
        return
    try:
        states = [pyatspi.stateToString(s) for s in node.getState().getStates()]
        actions = []
        try:
            action = node.queryAction()
            actions = [action.getName(i) for i in range(action.nActions)]
        except NotImplementedError:
            pass
        try:
            extents = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            box = [extents.x, extents.y, extents.width, extents.height]
        except NotImplementedError:
            box = None
        out.append({"name": node.name, "role": node.getRoleName(), "states": states,
                    "actions": actions, "box": box,
                    "node": node})
        for child in node:
            walk(child, out, depth + 1)
    except Exception:
        pass

app = find_app(sys.argv[1])
nodes = []
walk(app, nodes)
if len(sys.argv) > 3:
    for n in nodes:
        if n["name"] == sys.argv[2] and n["role"] == sys.argv[3]:
            n["node"].queryAction().doAction(0)
            print(json.dumps(True))
            break
    else:
        print(json.dumps(False))
else:
    for n in nodes:
        del n["node"]
    print(json.dumps(nodes))
"""


class AccessibilityBus:
    """A session bus and the AT-SPI registry for one test; env() is what the program and the
    reader need to meet on it."""

    def __init__(self, display_env):
        self.base = dict(display_env)
        self.procs = []
        self.bus_pid = None

    def __enter__(self):
        out = subprocess.run(["dbus-launch", "--sh-syntax"], env=self.base, check=True,
                             capture_output=True, text=True).stdout
        values = {}
        for line in out.splitlines():
            if "=" in line:
                key, value = line.split("=", 1)
                values[key.strip()] = value.split(";")[0].strip().strip("'")
        self.bus_pid = int(values["DBUS_SESSION_BUS_PID"])
        self.base["DBUS_SESSION_BUS_ADDRESS"] = values["DBUS_SESSION_BUS_ADDRESS"]
        self.procs.append(subprocess.Popen([BUS_LAUNCHER, "--launch-immediately"], env=self.base,
                                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        return self

    def __exit__(self, *exc):
        for proc in self.procs:
            proc.terminate()
            try:
                proc.wait(5)
            except subprocess.TimeoutExpired:
                proc.kill()
        if self.bus_pid:
            try:
                os.kill(self.bus_pid, 15)
            except ProcessLookupError:
                pass

    def env(self):
        return dict(self.base, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", NO_AT_BRIDGE="0")

    def nodes(self, app):
        """Every node of the application's tree: dicts of name, role, states and actions."""
        out = subprocess.run([SYSTEM_PYTHON, "-c", _READER, app], env=self.env(), check=True,
                             capture_output=True, text=True, timeout=60).stdout
        return json.loads(out)

    def press(self, app, name, role):
        """Runs the first action of the first node of that name and role; False when none."""
        out = subprocess.run([SYSTEM_PYTHON, "-c", _READER, app, name, role], env=self.env(),
                             check=True, capture_output=True, text=True, timeout=60).stdout
        return json.loads(out)


def attach(test):
    """An accessibility bus for the test's display session, closed with the test; the program
    started afterwards joins it."""
    bus = AccessibilityBus(test.session.env)
    bus.__enter__()
    test.addCleanup(bus.__exit__, None, None, None)
    test.session.env = bus.env()
    return bus
