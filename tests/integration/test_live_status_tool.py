"""norvaket-status reading a power-supply folder: output, watching and exit statuses."""

import json
import signal
import subprocess

import pytest


def make_tree(root, supplies):
    for name, attributes in supplies.items():
        folder = root / name
        folder.mkdir(parents=True)
        for attribute, value in attributes.items():
            (folder / attribute).write_text(value + "\n")
    return root


@pytest.fixture
def charging_laptop(tmp_path):
    return make_tree(tmp_path / "power_supply", {
        "AC": {"type": "Mains", "online": "1"},
        "BAT0": {"type": "Battery", "status": "Charging", "present": "1",
                 "energy_now": "34200000", "energy_full": "60000000", "power_now": "15000000",
                 "energy_full_design": "64000000", "cycle_count": "42", "technology": "Li-poly",
                 "charge_control_end_threshold": "80"},
    })


def test_prints_one_line_and_exits_0(status_tool, charging_laptop):
    result = subprocess.run([str(status_tool), "--sysfs", str(charging_laptop)],
                            capture_output=True, timeout=30)
    assert result.returncode == 0, result.stderr
    assert result.stdout.decode() == (
        '{"source":"sysfs","ACLineStatus":1,"BatteryFlag":8,"BatteryLifePercent":57,'
        '"BatteryLifeTime":-1,"BatteryFullLifeTime":-1,"state":3,"icon":305,'
        '"tooltip":"AC電源\\r\\n57% (充電中)","batteries":[{"name":"BAT0","health":93.8,'
        '"cycle_count":42,"design_capacity":64.0,"full_capacity":60.0,"technology":"lithium-polymer",'
        '"charge_start_threshold":null,"charge_end_threshold":80}],'
        '"draw_average_W":null,"draw_last_W":null}\n')


@pytest.mark.parametrize("stop", [signal.SIGINT, signal.SIGTERM], ids=["SIGINT", "SIGTERM"])
def test_watch_adds_the_event_until_a_stop_signal(watch, charging_laptop, stop):
    watched = watch("--sysfs", str(charging_laptop), "--start-time", "13:00:00")
    start = json.loads(watched.next_line())
    assert (start["event"], start["state"], start["shell"]) == ("start", 3, ["add"])
    assert [battery["cycle_count"] for battery in start["batteries"]] == [42]
    (charging_laptop / "AC" / "online").write_text("0\n")
    (charging_laptop / "BAT0" / "status").write_text("Discharging\n")
    for _ in range(3):
        tick = json.loads(watched.next_line())
        if tick["state"] == 2:
            break
    # 34.2 Wh at 15 W: 8208 s left, the end time counted from the ticking clock.
    assert tick["event"] == "tick"
    assert (tick["BatteryLifeTime"], tick["icon"], tick["shell"][0]) == (8208, 205, "modify")
    assert tick["tooltip"] in ("バッテリ\r\n15:16 まで (57%)", "バッテリ\r\n15:17 まで (57%)")
    assert "バッテリを使用しています" in [balloon["title"] for balloon in tick["balloons"]]
    assert watched.stop(stop) == 0


@pytest.mark.parametrize("arguments, status", [
    (["--source", "acpi"], 2),
    (["--sysfs"], 2),
    (["--sysfs", "/x", "--source", "upower"], 2),
    (["--start-time", "25:00:00"], 2),
    (["--sysfs", "/nonexistent/power_supply"], 1),
])
def test_exit_statuses(status_tool, arguments, status):
    result = subprocess.run([str(status_tool), *arguments], capture_output=True, timeout=30)
    assert result.returncode == status
    assert result.stdout == b""
    assert result.stderr.startswith(b"norvaket-status: ")
