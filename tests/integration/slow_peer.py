#!/usr/bin/python3
"""A D-Bus peer that owns its name but answers late or never, for tests.

    slow_peer.py notifications SECONDS|never
    slow_peer.py watcher never

Prints "ready" once the name is owned, then one line per call received
("Notify APP_NAME EXPIRE_TIMEOUT", "GetCapabilities", "Get PROPERTY", ...).
"""
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

PEERS = {
    "notifications": ("org.freedesktop.Notifications", "/org/freedesktop/Notifications"),
    "watcher": ("org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher"),
}
NOTIFICATIONS = "org.freedesktop.Notifications"


class SlowPeer(dbus.service.Object):
    def __init__(self, bus, path, delay):
        super().__init__(bus, path)
        self.delay = delay
        self.answer_id = 0

    def _later(self, reply, *value):
        if self.delay is not None:
            GLib.timeout_add(int(self.delay * 1000), lambda: reply(*value) and False)

    @dbus.service.method(NOTIFICATIONS, out_signature="as", async_callbacks=("reply", "error"))
    def GetCapabilities(self, reply, error):
        print("GetCapabilities", flush=True)
        self._later(reply, ["body"])

    @dbus.service.method(NOTIFICATIONS, in_signature="susssasa{sv}i", out_signature="u",
                         async_callbacks=("reply", "error"))
    def Notify(self, app, replaces, icon, summary, body, actions, hints, timeout, reply, error):
        print("Notify", app, timeout, flush=True)
        self.answer_id += 1
        self._later(reply, dbus.UInt32(self.answer_id))

    @dbus.service.method("org.freedesktop.DBus.Properties", in_signature="ss", out_signature="v",
                         async_callbacks=("reply", "error"))
    def Get(self, interface, prop, reply, error):
        print("Get", prop, flush=True)
        self._later(reply, dbus.Boolean(True, variant_level=1))

    @dbus.service.method("org.freedesktop.DBus.Introspectable", out_signature="s",
                         async_callbacks=("reply", "error"))
    def Introspect(self, reply, error):
        print("Introspect", flush=True)
        self._later(reply, "<node/>")


def main():
    kind, delay = sys.argv[1], sys.argv[2]
    name, path = PEERS[kind]
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    peer = SlowPeer(bus, path, None if delay == "never" else float(delay))
    owned = dbus.service.BusName(name, bus, do_not_queue=True)
    print("ready", flush=True)
    loop = GLib.MainLoop()
    GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, 15, loop.quit)
    loop.run()
    del owned, peer


if __name__ == "__main__":
    sys.exit(main())
