"""The real norvaket over settings files that are not settings files: it starts,
shows its icon, applies the defaults (the start notice is on by default) and leaves
whatever it found on disk alone."""
import os
import random

import pytest

from desktop_session import PROGRAM, DesktopSession, wait_until

pytestmark = pytest.mark.skipif(not PROGRAM.is_file(), reason=f"{PROGRAM} is not built")

FULL = 4
# Were this read, the start notice would be off.
SILENT = "[Norvaket 1.00]\nNotifyAtRun=0\n"


def garbage(path):
    path.write_bytes(random.Random(8).randbytes(256 * 1024))


def nul_bytes(path):
    path.write_bytes(b"[Norvaket\0 1.00]\nNotifyAtRun=\0" b"0\n\0")


def huge(path):
    path.write_text(SILENT)
    os.truncate(path, 100 << 20)  # sparse: 100 MiB that take no disk


def long_line(path):
    path.write_text(SILENT + "; " + "x" * (1 << 20) + "\n")


def fifo(path):
    os.mkfifo(path)


def dev_zero(path):
    path.symlink_to("/dev/zero")


def folder_is_a_file(path):
    path.parent.rmdir()
    path.parent.write_text(SILENT)


def autostart_is_a_file(path):
    path.write_text("[Norvaket 1.00]\nUpdateInterval=1000\n")
    (path.parent.parent / "autostart").write_text("[Desktop Entry]\nExec=/bin/false\n")


def snapshot(config):
    """What the settings folder holds: every entry with its type and size."""
    entries = {}
    for root, folders, files in os.walk(config):
        for name in folders + files:
            full = os.path.join(root, name)
            info = os.lstat(full)
            entries[os.path.relpath(full, config)] = (info.st_mode, info.st_size)
    return entries


@pytest.mark.parametrize("make", [garbage, nul_bytes, huge, long_line, fifo, dev_zero,
                                  folder_is_a_file, autostart_is_a_file])
def test_the_program_starts_with_the_defaults_and_keeps_the_file(make):
    session = DesktopSession()
    try:
        session.start_x()
        session.start_buses()
        session.start_notifications()
        session.start_watcher()
        session.start_upower(on_battery=False)
        session.set_display_device(FULL, 100.0)
        config = session.tmp / "config"
        (config / "Norvaket").mkdir(parents=True)
        make(config / "Norvaket" / "Norvaket.ini")
        before = snapshot(config)

        program = session.start_program()
        calls = wait_until(lambda: session.notify_calls(), what="the start notice")
        assert calls[0][2] == "AC電源を使用しています"
        tooltip = session.item_property("ToolTip")
        assert str(tooltip[2]) == "AC電源\n100%"
        assert program.poll() is None
        assert snapshot(config) == before
    finally:
        session.stop()
