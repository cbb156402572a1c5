"""A private desktop for one test: Xvfb, session and system buses, and the D-Bus
peers the tray program talks to (UPower and logind mocks, a notification daemon
mock, a StatusNotifierWatcher), each optional."""
import os
import subprocess
import tempfile
import time
from pathlib import Path

import dbus
import dbusmock

HERE = Path(__file__).resolve().parent
ROOT = HERE.parent.parent
BUILD_DIR = Path(os.environ.get("NORVAKET_BUILD_DIR", ROOT / "build" / "dev"))
PROGRAM = BUILD_DIR / "platform" / "qt" / "norvaket"

UPOWER = "org.freedesktop.UPower"
DISPLAY_DEVICE = "/org/freedesktop/UPower/devices/DisplayDevice"
MOCK_IFACE = "org.freedesktop.DBus.Mock"

# One panel across the top of the screen holding only the notification area plugin.
XFCE_PANEL_CONFIG = """<?xml version="1.0" encoding="UTF-8"?>
<channel name="xfce4-panel" version="1.0">
  <property name="configver" type="int" value="2"/>
  <property name="panels" type="array">
    <value type="int" value="1"/>
    <property name="panel-1" type="empty">
      <property name="position" type="string" value="p=6;x=0;y=0"/>
      <property name="length" type="uint" value="100"/>
      <property name="position-locked" type="bool" value="true"/>
      <property name="size" type="uint" value="26"/>
      <property name="plugin-ids" type="array">
        <value type="int" value="1"/>
      </property>
    </property>
  </property>
  <property name="plugins" type="empty">
    <property name="plugin-1" type="string" value="systray"/>
  </property>
</channel>
"""


def wait_until(predicate, timeout=20.0, interval=0.05, what="condition"):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = predicate()
        if value:
            return value
        time.sleep(interval)
    raise AssertionError(f"timed out waiting for {what}")


def bus_config_text(kind, listen, extra=""):
    """A private bus with policy rules relaxed enough for mocks."""
    return f"""<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>{kind}</type>
  <listen>{listen}</listen>
  {extra}
  <policy context="default">
    <allow user="*"/><allow own="*"/><allow send_type="method_call"/><allow send_type="signal"/>
    <allow send_type="method_return"/><allow send_type="error"/>
    <allow receive_type="method_call"/><allow receive_type="signal"/>
    <allow receive_type="method_return"/><allow receive_type="error"/>
  </policy>
</busconfig>
"""

class DesktopSession:
    def __init__(self):
        self.tmp = Path(tempfile.mkdtemp(prefix="norvaket-session-"))
        self.processes = []
        self.env = dict(os.environ)
        self.env.update({
            "XDG_CONFIG_HOME": str(self.tmp / "config"),
            "XDG_RUNTIME_DIR": str(self.tmp / "runtime"),
            "XDG_CURRENT_DESKTOP": "",
            "QT_QPA_PLATFORM": "xcb",
            "LANG": "C.UTF-8",
        })
        (self.tmp / "runtime").mkdir(mode=0o700)
        self.watcher = None
        self.notifications = None
        self.upower = None
        self.logind = None
        self.program = None

    # ---- infrastructure ----

    def start_x(self):
        read_fd, write_fd = os.pipe()
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1024x768x24",
                                 "-nolisten", "tcp"], pass_fds=(write_fd,),
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        with os.fdopen(read_fd) as pipe:
            display = pipe.readline().strip()
        self.processes.append(xvfb)
        self.env["DISPLAY"] = ":" + display

    def start_buses(self, session=True, system=True, activatable=None):
        """Both buses by default; a bus left out gets an address where nothing listens.
        activatable: {bus name: command} the session bus starts on demand."""
        for is_system, wanted in ((False, session), (True, system)):
            key = "DBUS_SYSTEM_BUS_ADDRESS" if is_system else "DBUS_SESSION_BUS_ADDRESS"
            if not wanted:
                self.env[key] = f"unix:path={self.tmp / 'no-bus-here'}"
                continue
            conf = self._system_bus_config() if is_system else self._session_bus_config(activatable)
            pid, address = dbusmock.DBusTestCase.start_dbus(conf=conf)
            self.processes.append(_Pid(pid))
            self.env[key] = address
        self.session_bus = dbus.bus.BusConnection(self.env["DBUS_SESSION_BUS_ADDRESS"]) if session else None
        self.system_bus = dbus.bus.BusConnection(self.env["DBUS_SYSTEM_BUS_ADDRESS"]) if system else None

    def _session_bus_config(self, activatable):
        if not activatable:
            return None
        services = self.tmp / "services"
        services.mkdir()
        for name, command in activatable.items():
            (services / f"{name}.service").write_text(
                f"[D-BUS Service]\nName={name}\nExec={command}\n")
        return self._bus_config("session", f"<servicedir>{services}</servicedir>")

    def _system_bus_config(self):
        return self._bus_config("system", "")

    def _bus_config(self, kind, extra):
        config = self.tmp / f"{kind}.conf"
        config.write_text(bus_config_text(kind, "unix:tmpdir=/tmp", extra))
        return str(config)

    def start_trayer(self):
        """An XEmbed tray (Debian's trayer) at the top left of the screen."""
        trayer = subprocess.Popen(["trayer", "--edge", "top", "--align", "left", "--widthtype", "pixel",
                                   "--width", "200", "--height", "32", "--SetDockType", "false",
                                   "--expand", "false"], env=self.env,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(trayer)
        wait_until(lambda: "trayer" in self.window_tree(), what="the tray")
        return trayer

    def start_xfce_panel(self, own_bus=False):
        """Debian's xfce4-panel with its systray plugin (a StatusNotifierWatcher and host,
        and an XEmbed tray) as one 26-pixel panel at the top, under the xfwm4 window manager.
        own_bus: the panel gets a session bus of its own, so the program finds no watcher
        and docks its icon in the XEmbed tray."""
        channel = self.tmp / "config" / "xfce4" / "xfconf" / "xfce-perchannel-xml"
        channel.mkdir(parents=True, exist_ok=True)
        (channel / "xfce4-panel.xml").write_text(XFCE_PANEL_CONFIG)
        env = dict(self.env, NO_AT_BRIDGE="1")
        bus = self.session_bus
        if own_bus:
            pid, env["DBUS_SESSION_BUS_ADDRESS"] = dbusmock.DBusTestCase.start_dbus()
            self.processes.append(_Pid(pid))
            bus = dbus.bus.BusConnection(env["DBUS_SESSION_BUS_ADDRESS"])
        # Started here rather than by D-Bus activation, so that it reads our config folder.
        xfconfd = next(Path("/usr/lib").glob("*/xfce4/xfconf/xfconfd"))
        self._spawn([str(xfconfd)], env)
        wait_until(lambda: bus.name_has_owner("org.xfce.Xfconf"), what="xfconfd")
        self._spawn(["xfwm4"], env)
        self._spawn(["xfce4-panel"], env)
        wait_until(lambda: bus.name_has_owner("org.kde.StatusNotifierWatcher"),
                   what="the panel's StatusNotifierWatcher")

    def _spawn(self, command, env):
        process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(process)
        return process

    def screen_pixels(self, width=1024, height=26, x=0, y=0):
        """A rectangle of the screen (by default the top strip, where the panel sits) as rows of
        (r, g, b). Taken from the root window: a capture of a window that is being unmapped can
        hang with the server grabbed."""
        raw = subprocess.run(["import", "-window", "root", "-crop", f"{width}x{height}+{x}+{y}", "-depth", "8",
                              "rgb:-"], env=self.env, capture_output=True, check=True, timeout=10).stdout
        return [[tuple(raw[(y * width + x) * 3:(y * width + x) * 3 + 3]) for x in range(width)]
                for y in range(height)]

    def window_tree(self):
        return subprocess.run(["xwininfo", "-root", "-tree"], env=self.env, capture_output=True,
                              text=True).stdout

    def window_geometry(self, window):
        """(x, y, width, height) of a window shown on the screen, else None."""
        info = subprocess.run(["xwininfo", "-id", window], env=self.env, capture_output=True, text=True).stdout
        fields = dict(line.strip().split(": ", 1) for line in info.splitlines() if ": " in line)
        if fields.get("Map State") != "IsViewable":
            return None
        return tuple(int(fields[key]) for key in ("Absolute upper-left X", "Absolute upper-left Y", "Width",
                                                  "Height"))

    def focused_window(self):
        result = subprocess.run(["xdotool", "getwindowfocus"], env=self.env, capture_output=True, text=True)
        return int(result.stdout) if result.returncode == 0 else None

    def docked_icon(self, tray="trayer"):
        """The program's icon window once docked inside a window of the XEmbed tray
        (named by its name or class)."""
        ancestors = []
        for line in self.window_tree().splitlines():
            indent = len(line) - len(line.lstrip())
            while ancestors and ancestors[-1][0] >= indent:
                ancestors.pop()
            if '("norvaket" "Halvoria")' in line and any(f'"{tray}"' in a for _, a in ancestors):
                return line.split()[0]
            ancestors.append((indent, line))
        return None

    def _stop(self, process):
        process.terminate()
        process.wait(5)
        self.processes.remove(process)

    def _spawn_template(self, template, parameters, system_bus):
        env_backup = dict(os.environ)
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = self.env["DBUS_SESSION_BUS_ADDRESS"]
        os.environ["DBUS_SYSTEM_BUS_ADDRESS"] = self.env["DBUS_SYSTEM_BUS_ADDRESS"]
        try:
            process, obj = dbusmock.DBusTestCase.spawn_server_template(
                template, parameters or {}, stdout=subprocess.DEVNULL, system_bus=system_bus)
        finally:
            os.environ.clear()
            os.environ.update(env_backup)
        self.processes.append(process)
        return process, obj

    # ---- peers ----

    def start_watcher(self):
        self.watcher = subprocess.Popen(["/usr/bin/python3", str(HERE / "sni_watcher.py")],
                                        env=self.env, stdout=subprocess.PIPE, text=True)
        assert self.watcher.stdout.readline().strip() == "ready"
        self.processes.append(self.watcher)

    def stop_watcher(self):
        self.watcher.terminate()
        self.watcher.wait(5)
        self.processes.remove(self.watcher)
        self.watcher = None

    def start_slow_peer(self, kind, delay):
        """A notification server or watcher that answers after `delay` seconds, or "never"."""
        log = self.tmp / f"slow-{kind}.log"
        peer = subprocess.Popen(["/usr/bin/python3", str(HERE / "slow_peer.py"), kind, str(delay)],
                                env=self.env, stdout=open(log, "w"), text=True)
        self.processes.append(peer)
        wait_until(lambda: log.read_text().startswith("ready"), what=f"the slow {kind}")
        return peer, lambda: log.read_text().splitlines()[1:]

    def start_notifications(self):
        self.notifications_process, self.notifications = self._spawn_template(
            "notification_daemon", None, False)

    def stop_notifications(self):
        self._stop(self.notifications_process)
        self.notifications = None

    def start_upower(self, on_battery=False):
        process, obj = self._spawn_template("upower", {"OnBattery": on_battery, "DaemonVersion": "0.99"},
                                            True)
        self.upower = obj
        self.upower_process = process
        return obj

    def stop_upower(self):
        self._stop(self.upower_process)
        self.upower = None

    def set_display_device(self, state, percentage, time_to_empty=0, time_to_full=0, present=True):
        # UPower device states: 1 charging, 2 discharging, 3 empty, 4 fully charged, 5 pending charge.
        self.upower.SetupDisplayDevice(2, state, percentage, 50.0, 50.0, 10.0, time_to_empty,
                                       time_to_full, present, "battery-good-symbolic", 3,
                                       dbus_interface=MOCK_IFACE)

    def set_on_battery(self, on_battery):
        self.upower.Set(UPOWER, "OnBattery", dbus.Boolean(on_battery),
                        dbus_interface=dbus.PROPERTIES_IFACE)

    def start_logind(self):
        self.logind = self._spawn_template("logind", None, True)[1]

    def resume(self):
        self.logind.EmitSignal("org.freedesktop.login1.Manager", "PrepareForSleep", "b", [False],
                               dbus_interface=MOCK_IFACE)

    # ---- the program ----

    def start_program(self, settings=None, extra_env=None):
        if settings is not None:
            folder = self.tmp / "config" / "Norvaket"
            folder.mkdir(parents=True, exist_ok=True)
            (folder / "Norvaket.ini").write_text(settings)
        env = dict(self.env)
        env.update(extra_env or {})
        self.program = subprocess.Popen([str(PROGRAM)], env=env, stdout=subprocess.PIPE,
                                        stderr=subprocess.PIPE, text=True)
        self.processes.append(self.program)
        return self.program

    def notify_calls(self):
        calls = self.notifications.GetMethodCalls("Notify", dbus_interface=MOCK_IFACE)
        # Notify(app_name, replaces_id, app_icon, summary, body, actions, hints, timeout)
        return [(str(c[1][0]), str(c[1][2]), str(c[1][3]), str(c[1][4]), int(c[1][7])) for c in calls]

    def notify_hints(self):
        calls = self.notifications.GetMethodCalls("Notify", dbus_interface=MOCK_IFACE)
        return [{str(k): v for k, v in c[1][6].items()} for c in calls]

    def assert_item_responsive(self, seconds):
        """The item answers a panel's GetLayout and Get ToolTip within 1 s, again and again."""
        item = self.item()
        path = item.Get("org.kde.StatusNotifierItem", "Menu", dbus_interface="org.freedesktop.DBus.Properties")
        menu = self.session_bus.get_object(item.requested_bus_name, path)
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            item.Get("org.kde.StatusNotifierItem", "ToolTip", dbus_interface="org.freedesktop.DBus.Properties",
                     timeout=1.0)
            menu.GetLayout(0, -1, [], dbus_interface="com.canonical.dbusmenu", timeout=1.0)
            time.sleep(0.1)

    def registered_items(self):
        try:
            watcher = self.session_bus.get_object("org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher")
            return [str(i) for i in watcher.Get("org.kde.StatusNotifierWatcher",
                                                 "RegisteredStatusNotifierItems",
                                                 dbus_interface="org.freedesktop.DBus.Properties")]
        except dbus.DBusException:
            return []

    def item(self):
        # Watchers list a bus name, or (xfce4-panel's) a bus name and object path.
        entry = wait_until(lambda: self.registered_items(), what="an item to register")[0]
        service, _, path = entry.partition("/")
        return self.session_bus.get_object(service, "/" + (path or "StatusNotifierItem"))

    def item_property(self, name):
        return self.item().Get("org.kde.StatusNotifierItem", name,
                               dbus_interface="org.freedesktop.DBus.Properties")

    def stop(self):
        for process in reversed(self.processes):
            process.terminate()
        for process in reversed(self.processes):
            try:
                process.wait(5)
            except subprocess.TimeoutExpired:
                process.kill()


class _Pid:
    """A process known only by its pid (the buses dbusmock starts)."""

    def __init__(self, pid):
        self.pid = pid

    def terminate(self):
        try:
            os.kill(self.pid, 15)
        except ProcessLookupError:
            pass

    def wait(self, timeout):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            try:
                finished, _ = os.waitpid(self.pid, os.WNOHANG)
            except ChildProcessError:
                return
            if finished:
                return
            time.sleep(0.02)
        raise subprocess.TimeoutExpired(str(self.pid), timeout)

    def kill(self):
        try:
            os.kill(self.pid, 9)
        except ProcessLookupError:
            pass
