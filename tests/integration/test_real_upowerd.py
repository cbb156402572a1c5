"""The real norvaket against Debian's own upowerd, over power supplies faked with umockdev:
upowerd on a private system bus built from Debian's system.conf, in a mount namespace of
its own with a tmpfs over /var/lib/upower (its history files)."""
import json
import os
import re
import shutil
import subprocess

import pytest

from desktop_session import HERE, PROGRAM, DesktopSession, wait_until

UPOWERD = "/usr/libexec/upowerd"
FAST = "[Norvaket 1.00]\nNotifyPS1=Yes\nNotifyPS2=Yes\nUpdateInterval=1000\n"

pytestmark = [
    pytest.mark.skipif(not PROGRAM.is_file(), reason=f"{PROGRAM} is not built"),
    pytest.mark.skipif(os.geteuid() != 0 or not shutil.which("unshare"),
                       reason="upowerd's private mount namespace needs root and unshare"),
]


def debian_system_bus_config(folder):
    """Debian's system bus, listening in `folder`, in the foreground, as the caller."""
    config = open("/usr/share/dbus-1/system.conf").read()
    config = re.sub(r"<listen>.*?</listen>", f"<listen>unix:path={folder}/system_bus_socket</listen>", config)
    config = re.sub(r"\s*<fork/>|\s*<pidfile>.*?</pidfile>|\s*<user>.*?</user>", "", config)
    config = config.replace("<includedir>system.d</includedir>",
                            "<includedir>/usr/share/dbus-1/system.d</includedir>")
    path = folder / "system.conf"
    path.write_text(config)
    return path


class RealUPower:
    def __init__(self, session):
        self.session = session
        bus = subprocess.Popen(["dbus-daemon", "--nofork", "--print-address",
                                f"--config-file={debian_system_bus_config(session.tmp)}"],
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        session.processes.append(bus)
        session.env["DBUS_SYSTEM_BUS_ADDRESS"] = bus.stdout.readline().strip()
        self.supplies = subprocess.Popen(
            ["umockdev-wrapper", "/usr/bin/python3", str(HERE / "umockdev_power_supplies.py")],
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        session.processes.append(self.supplies)
        testbed = self.supplies.stdout.readline().strip()
        self.class_dir = f"{testbed}/sys/class/power_supply"
        daemon_env = dict(session.env, UMOCKDEV_DIR=testbed, LD_PRELOAD="libumockdev-preload.so.0")
        self.daemon = subprocess.Popen(
            ["unshare", "--mount", "--propagation", "private", "--", "sh", "-c",
             f"mount -t tmpfs tmpfs /var/lib/upower && exec {UPOWERD}"],
            env=daemon_env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        session.processes.append(self.daemon)

    def change(self, device, **attributes):
        assignments = " ".join(f"{name}={value}" for name, value in attributes.items())
        self.supplies.stdin.write(f"{device} {assignments}\n")
        self.supplies.stdin.flush()
        assert self.supplies.stdout.readline().strip() == "ok"


def tooltip(session):
    return str(session.item_property("ToolTip")[2])


def test_real_upowerd_plug_unplug_and_low_battery():
    session = DesktopSession()
    try:
        session.start_x()
        session.start_buses(system=False)
        session.start_notifications()
        session.start_watcher()
        upower = RealUPower(session)
        program = session.start_program(settings=FAST)
        # 30 of 60 Wh at 10 W: three hours left.
        wait_until(lambda: re.fullmatch(r"バッテリ\n\d{1,2}:\d\d まで \(50%\)", tooltip(session)),
                   what="the battery at 50 %")
        # The start notification first, so that the plug below is a switch whatever the
        # machine's speed.
        wait_until(lambda: len(session.notify_calls()) >= 1, what="the start notification")

        upower.change("AC", online=1)
        upower.change("BAT0", status="Charging")
        wait_until(lambda: tooltip(session) == "AC電源\n50% (充電中)", what="the plug")
        upower.change("AC", online=0)
        upower.change("BAT0", status="Discharging")
        wait_until(lambda: tooltip(session).startswith("バッテリ\n"), what="the unplug")
        upower.change("BAT0", energy_now=12 * 1000000, capacity=20)
        wait_until(lambda: tooltip(session).endswith("(20%)"), what="the drop to 20 %")
        calls = wait_until(lambda: len(session.notify_calls()) >= 5 and session.notify_calls(),
                           what="five notifications")
        assert [(icon, title) for _, icon, title, _, _ in calls] == [
            ("dialog-warning", "バッテリを使用しています"),
            ("dialog-information", "AC電源に切り替わりました"),
            ("dialog-information", "バッテリに切り替わりました"),
            ("dialog-information", "バッテリの持続時"),
            ("dialog-warning", "バッテリの低下"),
        ]
        assert re.fullmatch(r"バッテリは \d{1,2}:\d\d まで使用可能です。", calls[3][3])
        assert calls[4][3] == "バッテリの残量が 20% に達しました。"
        assert program.poll() is None
    finally:
        session.stop()


def test_status_tool_reads_the_same_battery_facts_from_upowerd_and_sysfs(status_tool):
    session = DesktopSession()
    try:
        upower = RealUPower(session)

        def run(*arguments):
            return subprocess.run([str(status_tool), *arguments], env=session.env, capture_output=True,
                                  timeout=30)

        wait_until(lambda: run("--source", "upower").returncode == 0, what="upowerd")
        # 60 of 64 Wh after 42 cycles; this upowerd has no charge thresholds. A single line
        # from UPower is printed once the battery device itself has answered.
        lines = [json.loads(run(*arguments).stdout)
                 for arguments in (["--source", "upower"], ["--sysfs", upower.class_dir])]
        assert [line["batteries"] for line in lines] == 2 * [[{
            "name": "BAT0", "health": 93.8, "cycle_count": 42, "design_capacity": 64.0, "full_capacity": 60.0,
            "technology": "lithium-ion", "charge_start_threshold": None, "charge_end_threshold": None}]]
    finally:
        session.stop()
