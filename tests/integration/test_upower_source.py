"""norvaket-status reading UPower (python3-dbusmock's template) on a private system bus."""

import json
import signal
import subprocess
import textwrap
import time
from pathlib import Path

import dbus
import pytest

from conftest import MOCK_IFACE, UPowerMock
from desktop_session import bus_config_text

DISCHARGING, CHARGING, UNKNOWN, FULLY_CHARGED, PENDING_CHARGE = 2, 1, 0, 4, 5


def read_status(tool, *arguments):
    result = subprocess.run([str(tool), *arguments], capture_output=True, timeout=30)
    assert result.returncode == 0, result.stderr.decode()
    lines = result.stdout.decode().splitlines()
    assert len(lines) == 1
    return lines[0]


def snapshot_of(line):
    """The source and the snapshot's six fields, state, icon and tooltip of one line."""
    record = json.loads(line)
    keys = ["source", "ACLineStatus", "BatteryFlag", "BatteryLifePercent", "BatteryLifeTime",
            "BatteryFullLifeTime", "state", "icon", "tooltip"]
    return [record[key] for key in keys]


def test_on_battery_prints_the_exact_line(upower, status_tool):
    upower.set_on_battery(True)
    # 85 % of 50 Wh at 10 W: 3900 s left, five hours for a full charge.
    upower.set_display(DISCHARGING, 85.0, time_to_empty=3900, energy_rate=10.0)
    line = read_status(status_tool, "--source", "upower", "--start-time", "13:00:00")
    assert line == ('{"source":"upower","ACLineStatus":0,"BatteryFlag":1,"BatteryLifePercent":85,'
                    '"BatteryLifeTime":3900,"BatteryFullLifeTime":18000,"state":2,"icon":208,'
                    '"tooltip":"バッテリ\\r\\n14:05 まで (85%)","batteries":[],"draw_average_W":10.0,"draw_last_W":10.0}')


@pytest.mark.parametrize("state, percentage, present, expected", [
    (CHARGING, 57.0, True, [1, 8, 57, -1, -1, 3, 305, "AC電源\r\n57% (充電中)"]),
    (FULLY_CHARGED, 100.0, True, [1, 1, 100, -1, -1, 1, 110, "AC電源\r\n100%"]),
    (PENDING_CHARGE, 80.0, True, [1, 1, 80, -1, -1, 1, 108, "AC電源\r\n80%"]),
    (UNKNOWN, 40.0, True, [1, 255, 40, -1, -1, 9, 901, "不明"]),
    (UNKNOWN, 0.0, False, [1, 128, 255, -1, -1, 8, 900, "バッテリなし"]),
], ids=["charging", "fully-charged", "charge-limit", "unknown", "no-battery"])
def test_on_ac(upower, status_tool, state, percentage, present, expected):
    upower.set_on_battery(False)
    upower.set_display(state, percentage, present=present, time_to_empty=7200, energy_rate=12.0)
    line = read_status(status_tool, "--source", "upower")
    assert snapshot_of(line) == ["upower", *expected]


def add_device(upower, name, **properties):
    upower.daemon.AddObject(f"/org/freedesktop/UPower/devices/{name}", "org.freedesktop.UPower.Device",
                            dbus.Dictionary(properties, signature="sv"), [], dbus_interface=MOCK_IFACE)


@pytest.mark.parametrize("enabled, thresholds", [(True, [40, 80]), (False, [None, None])],
                         ids=["thresholds-enabled", "thresholds-disabled"])
def test_battery_facts(upower, status_tool, enabled, thresholds):
    upower.set_on_battery(True)
    upower.set_display(DISCHARGING, 60.0)
    battery = dict(Type=dbus.UInt32(2), PowerSupply=True, IsPresent=True)
    add_device(upower, "battery_BAT0", **battery, NativePath="BAT0", Capacity=93.75,
               ChargeCycles=dbus.Int32(-1), EnergyFullDesign=64.0, EnergyFull=60.0,
               Technology=dbus.UInt32(2), ChargeThresholdEnabled=enabled,
               ChargeStartThreshold=dbus.UInt32(40), ChargeEndThreshold=dbus.UInt32(80))
    # A mouse's battery does not power the machine.
    add_device(upower, "mouse", **dict(battery, PowerSupply=False), ChargeCycles=dbus.Int32(5))
    batteries = json.loads(read_status(status_tool, "--source", "upower"))["batteries"]
    assert batteries == [{"name": "BAT0", "health": 93.8, "cycle_count": None, "design_capacity": 64.0,
                          "full_capacity": 60.0, "technology": "lithium-polymer",
                          "charge_start_threshold": thresholds[0], "charge_end_threshold": thresholds[1]}]


def test_upower_asked_for_but_absent_exits_1(system_bus, status_tool):
    result = subprocess.run([str(status_tool), "--source", "upower"], capture_output=True, timeout=30)
    assert result.returncode == 1
    assert b"UPower" in result.stderr
    assert result.stdout == b""


def test_property_change_arrives_as_a_signal_and_steady_ticks_call_nothing(upower, watch):
    upower.set_on_battery(False)
    upower.set_display(CHARGING, 60.0)
    watched = watch("--source", "upower")
    first = json.loads(watched.next_line())
    assert (first["event"], first["state"], first["BatteryLifePercent"]) == ("start", 3, 60)
    watched.next_line()
    watched.next_line()
    calls_before = upower.calls_logged()
    assert "GetAll" in calls_before  # the first reads are logged

    upower.set_on_battery(True)
    upower.set_display_properties(State=DISCHARGING, Percentage=59.0, TimeToEmpty=1800)
    for _ in range(5):
        record = json.loads(watched.next_line())
        if record["ACLineStatus"] == 0 and record["BatteryLifePercent"] == 59:
            break
    else:
        pytest.fail("the change never reached the output")
    assert (record["state"], record["BatteryLifeTime"], record["icon"]) == (2, 1800, 205)
    assert "modify" in record["shell"]
    # The change came by signal: no call reached UPower while the tool ticked.
    calls_after = upower.calls_logged()[len(calls_before):]
    assert "GetAll" not in calls_after and "Get " not in calls_after, calls_after
    assert watched.stop(signal.SIGTERM) == 0


def wait_for(watched, predicate, ticks=8):
    for _ in range(ticks):
        record = json.loads(watched.next_line())
        if predicate(record):
            return record
    pytest.fail("no line matched")


@pytest.mark.parametrize("source", ["auto", "upower"])
def test_upower_going_away_and_coming_back(upower, watch, source):
    upower.set_on_battery(False)
    upower.set_display(CHARGING, 57.0)
    watched = watch("--source", source)
    record = json.loads(watched.next_line())
    assert (record["source"], record["state"], record["BatteryLifePercent"]) == ("upower", 3, 57)

    upower.stop()
    if source == "auto":
        gone = wait_for(watched, lambda r: r["source"] == "sysfs")
    else:
        gone = wait_for(watched, lambda r: r["state"] == 9)
        assert (gone["ACLineStatus"], gone["BatteryFlag"], gone["icon"]) == (255, 255, 901)

    upower.start(on_battery=True)
    # The mock takes its name before its template is loaded; setting the values again
    # sends them as signals, whichever came first.
    time.sleep(0.2)
    upower.set_on_battery(True)
    upower.set_display(DISCHARGING, 42.0, time_to_empty=3600, energy_rate=10.0)
    back = wait_for(watched, lambda r: r["source"] == "upower" and r["BatteryLifePercent"] == 42
                    and r["ACLineStatus"] == 0)
    assert (back["state"], back["BatteryLifeTime"], back["icon"]) == (2, 3600, 204)
    assert watched.stop() == 0


# ---- UPower that misbehaves: late, hung, flooding, gone with the whole bus ----

DISPLAY_CHANGED_SILENTLY = """
display = objects['/org/freedesktop/UPower/devices/DisplayDevice']
display.props['org.freedesktop.UPower.Device']['Percentage'] = dbus.Double(33.0)
"""
INVALIDATE_PERCENTAGE = """
display.EmitSignal('org.freedesktop.DBus.Properties', 'PropertiesChanged', 'sa{sv}as',
                   ['org.freedesktop.UPower.Device', {}, ['Percentage']])
"""
FLOOD = "for _ in range(10000):\n" + textwrap.indent(INVALIDATE_PERCENTAGE.strip(), "    ") + "\n"
HANG = "self.connection.flush()\ntime.sleep(6)\n"  # longer than the program's call deadline


def lines_while_hung(watched, seconds=6.0):
    """Every line of the hang, each within two seconds of the last: nothing waited on UPower."""
    deadline = time.monotonic() + seconds
    records = []
    while time.monotonic() < deadline:
        records.append(json.loads(watched.next_line(timeout=2.0)))
    return records


def rss_kib(process):
    status = Path(f"/proc/{process.pid}/status").read_text()
    return int(next(line.split()[1] for line in status.splitlines() if line.startswith("VmRSS:")))


@pytest.mark.parametrize("misbehaviour, read_again, percent", [
    # An invalidated property is read again without waiting for a hung daemon.
    (DISPLAY_CHANGED_SILENTLY + INVALIDATE_PERCENTAGE + HANG, "GetAll /org/freedesktop/UPower/devices/DisplayDevice", 33),
    # A device added is read, again without waiting.
    ("self.AddAC('mock_ac', 'Mock AC')\n" + HANG, "GetAll /org/freedesktop/UPower/devices/mock_ac", 60),
    # Ten thousand invalidations: a handful of reads, no lasting memory.
    (DISPLAY_CHANGED_SILENTLY + FLOOD + HANG, "GetAll /org/freedesktop/UPower/devices/DisplayDevice", 33),
], ids=["invalidated-then-hung", "device-added-then-hung", "flood-of-invalidations"])
def test_misbehaving_upower_never_stalls_the_ticks(upower, watch, misbehaviour, read_again, percent):
    upower.set_on_battery(False)
    upower.set_display(CHARGING, 60.0)
    watched = watch("--source", "auto")
    record = json.loads(watched.next_line())
    assert (record["source"], record["BatteryLifePercent"]) == ("upower", 60)
    rss_before = rss_kib(watched.process)
    logged_before = len(upower.calls_logged())

    upower.misbehave(misbehaviour)
    records = lines_while_hung(watched)
    assert all(r["source"] == "upower" for r in records)
    wait_for(watched, lambda r: r["BatteryLifePercent"] == percent)
    reads = upower.calls_logged()[logged_before:].count(read_again)
    assert 1 <= reads <= 3, reads  # read again, once per turn however many signals came
    assert rss_kib(watched.process) - rss_before < 4096
    assert watched.stop() == 0


def test_upower_answering_only_after_30_s_is_used_from_then_on(upower, watch):
    upower.set_on_battery(True)
    upower.set_display(DISCHARGING, 42.0, time_to_empty=3600, energy_rate=10.0)
    upower.misbehave("time.sleep(30)")
    time.sleep(0.3)
    watched = watch("--source", "auto")
    record = json.loads(watched.next_line(timeout=10.0))
    assert record["source"] == "sysfs"
    back = wait_for(watched, lambda r: r["source"] == "upower", ticks=40)
    assert (back["ACLineStatus"], back["BatteryLifePercent"], back["BatteryLifeTime"]) == (0, 42, 3600)
    assert watched.stop() == 0


def test_system_bus_restarting_hands_over_to_sysfs_and_back(tmp_path, monkeypatch, watch):
    """The bus comes back at the same address, as the system bus does."""
    socket = tmp_path / "system_bus_socket"
    config = tmp_path / "system.conf"
    config.write_text(bus_config_text("system", f"unix:path={socket}"))
    monkeypatch.setenv("DBUS_SYSTEM_BUS_ADDRESS", f"unix:path={socket}")

    def start_bus():
        bus = subprocess.Popen(["dbus-daemon", "--nofork", "--print-address", f"--config-file={config}"],
                               stdout=subprocess.PIPE)
        bus.stdout.readline()
        return bus

    bus = start_bus()
    mock = UPowerMock(tmp_path / "upower.log")
    try:
        mock.start()
        mock.set_on_battery(False)
        mock.set_display(CHARGING, 57.0)
        watched = watch("--source", "auto")
        record = json.loads(watched.next_line())
        assert (record["source"], record["BatteryLifePercent"]) == ("upower", 57)

        bus.terminate()
        bus.wait(10)
        mock.stop()
        wait_for(watched, lambda r: r["source"] == "sysfs")

        bus = start_bus()
        mock.start(on_battery=True)
        time.sleep(0.2)
        mock.set_on_battery(True)
        mock.set_display(DISCHARGING, 42.0, time_to_empty=3600, energy_rate=10.0)
        back = wait_for(watched, lambda r: r["source"] == "upower" and r["BatteryLifePercent"] == 42)
        assert (back["ACLineStatus"], back["BatteryLifeTime"]) == (0, 3600)
        assert watched.stop() == 0
    finally:
        mock.stop()
        bus.terminate()
        bus.wait(10)
