"""The real norvaket while its D-Bus peers stop, restart or are not there at all:
it keeps running, keeps its icon where a tray exists and tells nothing false."""
import json
import subprocess
import time

import pytest

from desktop_session import BUILD_DIR, PROGRAM, DesktopSession, wait_until

pytestmark = pytest.mark.skipif(not PROGRAM.is_file(), reason=f"{PROGRAM} is not built")

STATUS_TOOL = BUILD_DIR / "tools" / "status" / "norvaket-status"
FAST = "[Norvaket 1.00]\nNotifyPS1=Yes\nNotifyPS2=Yes\nUpdateInterval=1000\n"
CHARGING, DISCHARGING, FULL = 1, 2, 4
SWITCHED_TO_BATTERY = "バッテリに切り替わりました"
SWITCHED_TO_AC = "AC電源に切り替わりました"


@pytest.fixture
def session():
    desktop = DesktopSession()
    desktop.start_x()
    yield desktop
    desktop.stop()


def tooltip(session):
    return str(session.item_property("ToolTip")[2])


def sysfs_tooltip():
    """What this machine's sysfs says, in the item's tooltip form."""
    line = subprocess.run([str(STATUS_TOOL), "--sysfs", "/sys/class/power_supply"],
                          capture_output=True, text=True, check=True, timeout=30).stdout
    return json.loads(line)["tooltip"].replace("\r\n", "\n")


def titles(session):
    return [title for _, _, title, _, _ in session.notify_calls()]


def test_upower_stopped_hands_over_to_sysfs_and_is_used_again_when_back(session):
    session.start_buses()
    session.start_notifications()
    session.start_watcher()
    session.start_upower(on_battery=False)
    session.set_display_device(FULL, 100.0)
    program = session.start_program(settings=FAST)
    wait_until(lambda: tooltip(session) == "AC電源\n100%", what="the UPower tooltip")

    session.stop_upower()
    expected = sysfs_tooltip()
    wait_until(lambda: tooltip(session) == expected, what="the sysfs tooltip")
    if not expected.startswith("バッテリ\n"):
        # sysfs says the power is not from a battery: nothing may claim a switch to it.
        time.sleep(2)
        assert SWITCHED_TO_BATTERY not in titles(session)

    session.start_upower(on_battery=True)
    time.sleep(0.2)  # the name is taken before the template's objects exist
    session.set_on_battery(True)
    session.set_display_device(DISCHARGING, 42.0, time_to_empty=3600)
    wait_until(lambda: tooltip(session).startswith("バッテリ\n")
               and tooltip(session).endswith("(42%)"), what="UPower's values again")
    assert program.poll() is None


def test_notification_server_absent_then_started_then_restarted(session):
    session.start_buses()
    session.start_watcher()
    session.start_upower(on_battery=False)
    session.set_display_device(FULL, 100.0)
    program = session.start_program(settings=FAST)
    wait_until(lambda: tooltip(session) == "AC電源\n100%", what="the first tooltip")

    # No server: the switch still changes the icon and the program goes on.
    session.set_on_battery(True)
    session.set_display_device(DISCHARGING, 90.0, time_to_empty=3600)
    # Qt's own balloon takes the item's tooltip for its 10 s on screen.
    wait_until(lambda: tooltip(session).startswith("バッテリ\n"), timeout=15, what="the battery tooltip")

    session.start_notifications()
    session.set_on_battery(False)
    session.set_display_device(CHARGING, 90.0)
    wait_until(lambda: SWITCHED_TO_AC in titles(session), what="the notice to the new server")

    session.stop_notifications()
    session.start_notifications()
    session.set_on_battery(True)
    session.set_display_device(DISCHARGING, 89.0, time_to_empty=3600)
    wait_until(lambda: SWITCHED_TO_BATTERY in titles(session), what="the notice to the restarted server")
    # The restarted server hears only what happened after it started.
    assert titles(session)[0] == SWITCHED_TO_BATTERY and SWITCHED_TO_AC not in titles(session)
    assert program.poll() is None


def test_watcher_restarted_twice_while_the_state_changes(session):
    session.start_buses()
    session.start_notifications()
    session.start_watcher()
    session.start_upower(on_battery=False)
    session.set_display_device(FULL, 100.0)
    program = session.start_program(settings=FAST)
    session.item()
    for percentage in (80.0, 60.0):
        session.stop_watcher()
        session.set_on_battery(True)
        session.set_display_device(DISCHARGING, percentage, time_to_empty=3600)
        time.sleep(1.5)  # a tick or more with no host
        session.start_watcher()
        wait_until(lambda: session.registered_items(), what="the item to come back")
        # The item that comes back shows the state now, not the one it was hidden with.
        wait_until(lambda: tooltip(session).endswith(f"({int(percentage)}%)"),
                   what=f"the tooltip for {percentage}%")
    assert len(session.registered_items()) == 1
    assert program.poll() is None


def test_no_system_bus_reads_sysfs(session):
    session.start_buses(system=False)
    session.start_notifications()
    session.start_watcher()
    program = session.start_program(settings=FAST)
    expected = sysfs_tooltip()
    wait_until(lambda: session.registered_items() and tooltip(session) == expected,
               what="the sysfs tooltip")
    time.sleep(2)
    assert program.poll() is None
    # Nothing but what sysfs said: no switch to battery on a machine without one.
    if not expected.startswith("バッテリ\n"):
        assert SWITCHED_TO_BATTERY not in titles(session)


def test_no_session_bus_docks_in_the_xembed_tray(session):
    session.start_buses(session=False)
    session.start_trayer()
    session.start_upower(on_battery=False)
    session.set_display_device(FULL, 100.0)
    program = session.start_program(settings=FAST)
    wait_until(session.docked_icon, timeout=15, what="the icon to dock")
    session.set_on_battery(True)
    session.set_display_device(DISCHARGING, 50.0, time_to_empty=3600)
    time.sleep(2)  # the balloon has nowhere to go but the tray's own
    assert program.poll() is None
    assert session.docked_icon()


def test_no_buses_at_all_still_docks_and_exits_on_sigterm(session):
    session.start_buses(session=False, system=False)
    session.start_trayer()
    program = session.start_program(settings=FAST)
    wait_until(session.docked_icon, timeout=15, what="the icon to dock")
    time.sleep(1.5)
    assert program.poll() is None
    program.terminate()
    assert program.wait(5) == 0


def own_balloon_fallbacks(lines):
    """Qt's own balloon, in the item's form, goes out with its default display time."""
    return [line for line in lines if line.startswith("Notify ") and not line.endswith(" -1")]


def own_balloon_window(session):
    """Qt's own balloon: a top-level window of the program beside the docked icon."""
    for line in session.window_tree().splitlines():
        nested = len(line) - len(line.lstrip()) > 5
        if '("norvaket" "Halvoria")' in line and not nested:
            return line.split()[0]
    return None


@pytest.mark.parametrize("delay", ["never", 30])
def test_notification_server_that_hangs_or_answers_late_freezes_nothing(session, delay):
    session.start_buses()
    session.start_watcher()
    _, calls = session.start_slow_peer("notifications", delay)
    session.start_upower(on_battery=False)
    session.set_display_device(FULL, 100.0)
    program = session.start_program(settings=FAST)
    wait_until(lambda: tooltip(session) == "AC電源\n100%", what="the first tooltip")
    # Unplugged at the low level: two balloons at once, on top of the start balloon.
    session.set_on_battery(True)
    session.set_display_device(DISCHARGING, 20.0, time_to_empty=3600)
    session.assert_item_responsive(seconds=4)
    wait_until(lambda: len(own_balloon_fallbacks(calls())) >= 3, what="the balloons shown by the tray")
    assert calls().count("GetCapabilities") <= 1
    assert program.poll() is None


def test_notification_server_that_fails_to_start_leaves_the_balloon_to_the_tray(session):
    tries = session.tmp / "server-starts"
    server = session.tmp / "dying-server"
    server.write_text(f"#!/bin/sh\necho start >> {tries}\nexit 1\n")
    server.chmod(0o755)
    session.start_buses(activatable={"org.freedesktop.Notifications": str(server)})
    session.start_trayer()
    session.start_upower(on_battery=False)
    session.set_display_device(FULL, 100.0)
    program = session.start_program(settings=FAST)
    wait_until(session.docked_icon, timeout=15, what="the icon to dock")
    wait_until(lambda: own_balloon_window(session), what="the tray's own balloon")
    assert tries.read_text().splitlines() == ["start"]
    assert program.poll() is None


@pytest.mark.parametrize("late_tray, after", [("watcher", 45), ("xembed", 30)])
def test_hung_watcher_blocks_nothing_and_a_tray_that_comes_late_gets_the_icon(session, late_tray, after):
    session.start_buses()
    session.start_notifications()
    hung, _ = session.start_slow_peer("watcher", "never")
    session.start_upower(on_battery=False)
    session.set_display_device(FULL, 100.0)
    started = time.monotonic()
    program = session.start_program(settings=FAST)
    # Start-up goes on, and with no tray the balloons still reach the server.
    wait_until(lambda: titles(session), timeout=5, what="the start balloon")
    session.set_on_battery(True)
    session.set_display_device(DISCHARGING, 50.0, time_to_empty=3600)
    wait_until(lambda: SWITCHED_TO_BATTERY in titles(session), timeout=5, what="the switch balloon")

    time.sleep(max(0.0, started + after - time.monotonic()))  # after the start-up tries
    session._stop(hung)
    if late_tray == "watcher":
        session.start_watcher()
        wait_until(lambda: session.registered_items(), what="the late item")
        assert tooltip(session).endswith("(50%)")
    else:
        session.start_trayer()
        wait_until(session.docked_icon, what="the icon to dock")
    assert program.poll() is None
