"""Fixtures for the suites that run norvaket-status against real D-Bus peers."""

import os
import select
import signal
import subprocess
import time
from pathlib import Path

import dbus
import dbusmock
import pytest

REPO = Path(__file__).resolve().parents[2]
MOCK_IFACE = "org.freedesktop.DBus.Mock"
UPOWER_IFACE = "org.freedesktop.UPower"
DISPLAY_DEVICE = "/org/freedesktop/UPower/devices/DisplayDevice"


@pytest.fixture(scope="session")
def status_tool():
    build_dir = Path(os.environ.get("NORVAKET_BUILD_DIR", REPO / "build" / "dev"))
    tool = build_dir / "tools" / "status" / "norvaket-status"
    assert tool.is_file(), f"{tool} is not built (set NORVAKET_BUILD_DIR)"
    return tool


@pytest.fixture(scope="session")
def system_bus():
    """A private system bus for the whole run; DBUS_SYSTEM_BUS_ADDRESS points at it."""
    dbusmock.DBusTestCase.start_system_bus()
    yield dbusmock.DBusTestCase.get_dbus(system_bus=True)
    dbusmock.DBusTestCase.tearDownClass()


class UPowerMock:
    """python3-dbusmock's upower template in a process of its own."""

    def __init__(self, log_path):
        self.log_path = log_path
        self.process = None
        self.daemon = None
        self.misbehaving = False

    def start(self, on_battery=False):
        self.log = open(self.log_path, "w")
        self.process, self.daemon = dbusmock.DBusTestCase.spawn_server_template(
            "upower", {"OnBattery": on_battery}, stdout=self.log)
        self.misbehaving = False

    def stop(self):
        if self.process is None:
            return
        self.process.terminate()
        self.process.wait(timeout=10)
        self.process = None
        self.log.close()

    def set_on_battery(self, on_battery):
        self.daemon.Set(UPOWER_IFACE, "OnBattery", dbus.Boolean(on_battery),
                        dbus_interface=dbus.PROPERTIES_IFACE)

    def set_display(self, state, percentage, present=True, time_to_empty=0,
                    energy_full=50.0, energy_rate=0.0):
        """Type battery (2) when present, unknown (0) otherwise; UPower's state numbers."""
        self.daemon.SetupDisplayDevice(
            dbus.UInt32(2 if present else 0), dbus.UInt32(state), dbus.Double(percentage),
            dbus.Double(energy_full * percentage / 100), dbus.Double(energy_full),
            dbus.Double(energy_rate), dbus.Int64(time_to_empty), dbus.Int64(0),
            dbus.Boolean(present), "", dbus.UInt32(1), dbus_interface=MOCK_IFACE)

    def set_display_properties(self, **properties):
        self.daemon.SetDeviceProperties(dbus.ObjectPath(DISPLAY_DEVICE),
                                        dbus.Dictionary(properties, signature="sv"),
                                        dbus_interface=MOCK_IFACE)

    def misbehave(self, code):
        """Runs Python `code` inside the mock's own loop without waiting for it: the
        mock answers nothing until it is done (`objects`, `dbus`, `time` are at hand)."""
        if not self.misbehaving:
            self.daemon.AddMethod(MOCK_IFACE, "Misbehave", "s", "", "exec(args[0])",
                                  dbus_interface=MOCK_IFACE)
            self.misbehaving = True
        self.daemon.Misbehave(code, dbus_interface=MOCK_IFACE, ignore_reply=True)

    def calls_logged(self):
        self.log.flush()
        return Path(self.log_path).read_text()


@pytest.fixture
def upower(system_bus, tmp_path):
    mock = UPowerMock(tmp_path / "upower.log")
    mock.start()
    yield mock
    mock.stop()


class WatchedStatus:
    """norvaket-status --watch, read line by line with a deadline."""

    def __init__(self, command):
        self.process = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        self.pending = b""

    def next_line(self, timeout=5.0):
        deadline = time.monotonic() + timeout
        while b"\n" not in self.pending:
            left = deadline - time.monotonic()
            assert left > 0, "no line from norvaket-status in time"
            ready, _, _ = select.select([self.process.stdout], [], [], left)
            if ready:
                chunk = os.read(self.process.stdout.fileno(), 4096)
                assert chunk, "norvaket-status ended: " + self.process.stderr.read().decode()
                self.pending += chunk
        line, self.pending = self.pending.split(b"\n", 1)
        return line.decode()

    def stop(self, sig=signal.SIGINT):
        if self.process.poll() is None:
            self.process.send_signal(sig)
        return self.process.wait(timeout=10)


@pytest.fixture
def watch(status_tool):
    started = []

    def start(*arguments):
        started.append(WatchedStatus([str(status_tool), "--watch", *arguments]))
        return started[-1]

    yield start
    for watched in started:
        if watched.process.poll() is None:
            watched.process.kill()
            watched.process.wait()
