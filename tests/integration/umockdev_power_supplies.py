"""Faked /sys/class/power_supply for a real upowerd: mains (AC) and a battery (BAT0).

Run under umockdev-wrapper, so that the change events it sends reach the daemon.
Prints the testbed's folder (the daemon's UMOCKDEV_DIR), then for each line
"DEVICE attribute=value ..." on stdin sets the attributes, sends a change event
and prints "ok"."""
import sys

import gi

gi.require_version("UMockdev", "1.0")
from gi.repository import UMockdev  # noqa: E402

WH = 1000000  # sysfs counts energy in µWh

testbed = UMockdev.Testbed.new()
devices = {
    "AC": testbed.add_device("power_supply", "AC", None, ["type", "Mains", "online", "0"], []),
    "BAT0": testbed.add_device("power_supply", "BAT0", None, [
        "type", "Battery", "present", "1", "technology", "Li-ion", "status", "Discharging",
        "energy_full_design", str(64 * WH), "energy_full", str(60 * WH), "energy_now", str(30 * WH),
        "power_now", str(10 * WH), "voltage_now", str(12 * WH), "capacity", "50", "cycle_count", "42"], []),
}
print(testbed.get_root_dir(), flush=True)
for line in sys.stdin:
    name, *assignments = line.split()
    for assignment in assignments:
        attribute, value = assignment.split("=", 1)
        testbed.set_attribute(devices[name], attribute, value)
    testbed.uevent(devices[name], "change")
    print("ok", flush=True)
