"""The real norvaket on a private desktop: tray item, notifications, menu, resume, exit."""
import os
import re
import signal
import subprocess
import time

import dbus
import pytest

from desktop_session import PROGRAM, ROOT, DesktopSession, wait_until

pytestmark = pytest.mark.skipif(not PROGRAM.is_file(), reason=f"{PROGRAM} is not built")

DBUSMENU = "com.canonical.dbusmenu"
ITEM = "org.kde.StatusNotifierItem"
FAST = "[Norvaket 1.00]\nNotifyPS1=Yes\nUpdateInterval=1000\n"

# UPower device states
CHARGING, DISCHARGING, FULL = 1, 2, 4


@pytest.fixture
def desktop():
    session = DesktopSession()
    session.start_x()
    session.start_buses()
    session.start_notifications()
    session.start_logind()
    yield session
    session.stop()


@pytest.fixture
def sni_desktop(desktop):
    desktop.start_watcher()
    return desktop


def notifications(session, count, timeout=10):
    return wait_until(lambda: len(session.notify_calls()) >= count and session.notify_calls(),
                      timeout=timeout, what=f"{count} notifications")


def menu_layout(session):
    item = session.item()
    service = item.requested_bus_name
    path = item.Get(ITEM, "Menu", dbus_interface=dbus.PROPERTIES_IFACE)
    menu = session.session_bus.get_object(service, path)
    _, layout = menu.GetLayout(0, -1, [], dbus_interface=DBUSMENU)
    return menu, [(int(child[0]), dict(child[1])) for child in layout[2]]


def click_menu_item(menu, items, label):
    """What a panel sends when the user picks the item with this label."""
    item_id = next(i for i, p in items if str(p.get("label", "")) == label)
    menu.Event(item_id, "clicked", dbus.Int32(0, variant_level=1), dbus.UInt32(0), dbus_interface=DBUSMENU)


def xdotool(session, *arguments):
    subprocess.run(["xdotool", *arguments], env=session.env, check=True)


def window_named(session, name):
    return next((line.split()[0] for line in session.window_tree().splitlines() if f'"{name}"' in line), None)


def test_item_registers_with_tooltip_and_icon_for_the_current_state(sni_desktop):
    sni_desktop.start_upower(on_battery=True)
    sni_desktop.set_display_device(DISCHARGING, 85.0, time_to_empty=3600)
    sni_desktop.start_program()
    tooltip = wait_until(lambda: sni_desktop.item_property("ToolTip"), what="a tooltip")
    lines = str(tooltip[2]).split("\n")
    assert lines[0] == "バッテリ"
    assert lines[1].endswith(" まで (85%)")
    sizes = [(int(w), int(h)) for w, h, _ in sni_desktop.item_property("IconPixmap")]
    # Painted at exactly the sizes panels ask for, so that none is resampled.
    assert sorted(sizes) == [(size, size) for size in (16, 20, 22, 24, 32, 48, 64)]


def test_notifications_arrive_with_exact_texts_in_order(sni_desktop):
    session = sni_desktop
    session.start_upower(on_battery=False)
    session.set_display_device(CHARGING, 99.0, time_to_full=600)
    session.start_program(settings=FAST)
    notifications(session, 1)
    session.set_display_device(FULL, 100.0)
    notifications(session, 2)
    session.set_on_battery(True)
    session.set_display_device(DISCHARGING, 100.0, time_to_empty=0)
    notifications(session, 3)
    session.set_display_device(DISCHARGING, 20.0, time_to_empty=0)
    calls = notifications(session, 4)
    assert [(icon, title, body) for _, icon, title, body, _ in calls] == [
        ("dialog-information", "バッテリを充電しています", "システムはAC電源で動作しています"),
        ("dialog-information", "充電が完了しました", "バッテリの充電が完了しました。"),
        ("dialog-information", "バッテリに切り替わりました", "システムはバッテリで動作しています。"),
        ("dialog-warning", "バッテリの低下", "バッテリの残量が 20% に達しました。"),
    ]
    assert all(app == "Halvoria" and timeout == -1 for app, _, _, _, timeout in calls)
    # Only the low-battery one is critical; all name the desktop entry.
    hints = session.notify_hints()
    assert [(type(h["urgency"]), int(h["urgency"])) for h in hints] == [(dbus.Byte, 1)] * 3 + [(dbus.Byte, 2)]
    assert all(str(h["desktop-entry"]) == "norvaket" for h in hints)


def test_menu_has_the_items_in_order_with_their_states(sni_desktop):
    sni_desktop.start_upower()
    sni_desktop.start_program()
    _, items = menu_layout(sni_desktop)
    shown = [(p.get("type", "standard"), str(p.get("label", "")), bool(p.get("enabled", True)))
             for _, p in items]
    assert shown == [
        # No power settings program is installed here, so its item is disabled.
        ("standard", "電源のプロパティを開く(_P)", False),
        ("separator", "", True),
        ("standard", "オプション(_O)...", True),
        ("standard", "ヘルプ(_H)...", False),
        ("standard", "バージョン情報(_A)", True),
        ("standard", "終了(_X)", True),
    ]


def test_an_installed_power_settings_program_enables_its_item_when_the_menu_opens(sni_desktop):
    tools = sni_desktop.tmp / "tools"
    tools.mkdir()
    settings_program = tools / "xfce4-power-manager-settings"
    settings_program.write_text("#!/bin/sh\n")
    settings_program.chmod(0o755)
    sni_desktop.start_upower()
    sni_desktop.start_program(extra_env={"PATH": f"{tools}:{os.environ['PATH']}",
                                         "XDG_CURRENT_DESKTOP": "XFCE"})
    menu, _ = menu_layout(sni_desktop)
    menu.AboutToShow(0, dbus_interface=DBUSMENU)
    wait_until(lambda: bool(menu_layout(sni_desktop)[1][0][1].get("enabled", True)), what="the item enabled")


def test_activate_opens_the_options_dialog_once(sni_desktop):
    sni_desktop.start_upower()
    sni_desktop.start_program()
    item = sni_desktop.item()
    item.Activate(0, 0, dbus_interface=ITEM)
    wait_until(lambda: '"オプション"' in sni_desktop.window_tree(), what="the options dialog")
    item.Activate(0, 0, dbus_interface=ITEM)
    time.sleep(0.5)
    assert sni_desktop.window_tree().count('"オプション"') == 1


def test_resume_brings_the_start_notification_at_the_next_tick(sni_desktop):
    session = sni_desktop
    session.start_upower(on_battery=False)
    session.set_display_device(FULL, 100.0)
    session.start_program(settings=FAST)
    first = notifications(session, 1)
    assert first[0][2] == "AC電源を使用しています"
    session.resume()
    calls = notifications(session, 2)
    assert calls[1][2:4] == ("AC電源を使用しています", "バッテリの充電は完了しています")


def test_second_instance_exits_at_once_and_the_first_keeps_running(sni_desktop):
    sni_desktop.start_upower()
    first = sni_desktop.start_program()
    sni_desktop.item()
    started = time.monotonic()
    second = subprocess.run([str(PROGRAM)], env=sni_desktop.env, timeout=10)
    assert second.returncode == 0
    assert time.monotonic() - started < 5
    assert first.poll() is None
    assert len(sni_desktop.registered_items()) == 1


def test_exit_from_the_menu_removes_the_icon_after_half_a_second(sni_desktop):
    sni_desktop.start_upower()
    program = sni_desktop.start_program()
    menu, items = menu_layout(sni_desktop)
    told = len(sni_desktop.notify_calls())
    clicked = time.monotonic()
    click_menu_item(menu, items, "終了(_X)")
    wait_until(lambda: not sni_desktop.registered_items(), what="the item to go")
    gone = time.monotonic() - clicked
    assert program.wait(5) == 0
    assert 0.3 < gone < 3
    assert len(sni_desktop.notify_calls()) == told


def test_watcher_restart_brings_the_icon_back(sni_desktop):
    sni_desktop.start_upower()
    sni_desktop.set_display_device(FULL, 100.0)
    sni_desktop.start_program()
    sni_desktop.item()
    sni_desktop.stop_watcher()
    sni_desktop.start_watcher()
    assert wait_until(lambda: sni_desktop.registered_items(), what="the item to come back")
    tooltip = sni_desktop.item_property("ToolTip")
    assert str(tooltip[2]) == "AC電源\n100%"


@pytest.mark.parametrize("signal_number", [signal.SIGTERM, signal.SIGINT, signal.SIGHUP])
def test_termination_signal_shuts_down_cleanly(sni_desktop, signal_number):
    sni_desktop.start_upower()
    program = sni_desktop.start_program()
    sni_desktop.item()
    program.send_signal(signal_number)
    assert program.wait(5) == 0
    wait_until(lambda: not sni_desktop.registered_items(), what="the item to go")


def test_a_broken_pipe_signal_is_ignored(sni_desktop):
    sni_desktop.start_upower()
    program = sni_desktop.start_program()
    sni_desktop.item()
    program.send_signal(signal.SIGPIPE)
    time.sleep(0.5)
    assert program.poll() is None
    assert sni_desktop.registered_items()


def open_message_box_in_the_options_dialog(session, out_of_range):
    """Opens the options dialog and presses OK so that a message box comes up over it:
    the low-battery range warning after typing 0, or else the save-failure box."""
    session.item().Activate(0, 0, dbus_interface=ITEM)
    dialog = wait_until(lambda: window_named(session, "オプション"), what="the options dialog")
    # The low-battery check box (twips 600, 1680 in the dialog): a click gives it the focus.
    xdotool(session, "mousemove", "--window", dialog, "45", "118", "click", "1")
    if out_of_range:
        xdotool(session, "key", "Tab", "ctrl+a")
        xdotool(session, "type", "0")
    xdotool(session, "key", "Return")
    wait_until(lambda: '"エラー"' in session.window_tree(), what="the message box")


@pytest.mark.parametrize("out_of_range, end", [(True, "signal"), (False, "menu")])
def test_the_program_ends_cleanly_while_a_message_box_is_open(sni_desktop, out_of_range, end):
    settings = sni_desktop.tmp / "config" / "Norvaket" / "Norvaket.ini"
    sni_desktop.start_upower()
    if out_of_range:
        program = sni_desktop.start_program(settings=FAST)
    else:
        settings.mkdir(parents=True)  # a folder where the file should be: every save fails
        program = sni_desktop.start_program()
    open_message_box_in_the_options_dialog(sni_desktop, out_of_range)
    if end == "signal":
        program.send_signal(signal.SIGTERM)
    else:
        menu, items = menu_layout(sni_desktop)
        click_menu_item(menu, items, "終了(_X)")
    assert program.wait(5) == 0
    assert settings.is_dir() or settings.read_text() == FAST


def program_windows(session):
    """(window id, width, height, nested) of every window of the program."""
    windows = []
    for line in session.window_tree().splitlines():
        if '("norvaket" "Halvoria")' not in line:
            continue
        fields = line.split()
        size = next(f for f in fields if "x" in f and "+" in f).split("+")[0]
        width, height = (int(n) for n in size.split("x"))
        nested = len(line) - len(line.lstrip()) > 5
        windows.append((fields[0], width, height, nested))
    return windows


def popup_menu_window(session):
    """A top-level window of the program tall enough for the six menu items."""
    return next((w for w, width, height, nested in program_windows(session)
                 if not nested and height > 100 and width > 80), None)


def test_xembed_tray_double_click_opens_options_and_right_click_shows_the_menu(desktop):
    desktop.start_trayer()
    desktop.start_upower()
    desktop.start_program()
    icon = wait_until(lambda: desktop.docked_icon(), what="the icon to dock")

    def click(button, repeat=1):
        subprocess.run(["xdotool", "mousemove", "--window", icon, "8", "8", "click", "--repeat",
                        str(repeat), "--delay", "80", str(button)], env=desktop.env, check=True)

    click(1)
    time.sleep(0.7)
    assert '"オプション"' not in desktop.window_tree()  # a single click does nothing
    click(3)
    # Shown before Escape and gone before the double-click, or a slow menu takes the keys
    # or the first click.
    def shown_menu():
        window = popup_menu_window(desktop)
        return window if window and desktop.window_geometry(window) else None

    menu = wait_until(shown_menu, what="the pop-up menu")
    subprocess.run(["xdotool", "key", "Escape"], env=desktop.env, check=True)
    wait_until(lambda: desktop.window_geometry(menu) is None, what="the menu to close")
    click(1, repeat=2)
    wait_until(lambda: '"オプション"' in desktop.window_tree(), what="the options dialog")
    assert menu


def test_a_tray_that_starts_after_the_program_still_gets_the_icon(desktop):
    desktop.start_upower()
    desktop.start_program()
    time.sleep(2)  # the first add is refused: no tray yet
    desktop.start_watcher()
    assert wait_until(lambda: desktop.registered_items(), timeout=15, what="the late item")


def test_xembed_tray_restart_docks_the_icon_again(desktop):
    trayer = desktop.start_trayer()
    desktop.start_upower()
    desktop.start_program()
    wait_until(lambda: desktop.docked_icon(), what="the icon to dock")
    trayer.terminate()
    trayer.wait(5)
    desktop.processes.remove(trayer)
    wait_until(lambda: desktop.docked_icon() is None, what="the tray to go")
    desktop.start_trayer()
    assert wait_until(lambda: desktop.docked_icon(), what="the icon to dock again")


VERSION = re.search(r"project\(Norvaket VERSION (\S+)", (ROOT / "CMakeLists.txt").read_text()).group(1)


# Answered before any display is opened: no DISPLAY, no WAYLAND_DISPLAY, no bus; where
# the program would need one, it says so and ends, no abort.
@pytest.mark.parametrize("args, status, stream, expected", [
    (["--version"], 0, "stdout", f"norvaket {VERSION} (Halvoria)\n"),
    (["--help"], 0, "stdout", "usage: norvaket "),
    (["-platform", "offscreen", "--version"], 0, "stdout", f"norvaket {VERSION} "),
    (["--frobnicate"], 2, "stderr", "norvaket: unknown option '--frobnicate'\n"),
    (["-platform"], 2, "stderr", "norvaket: option -platform needs a value\n"),
    ([], 1, "stderr", "norvaket: needs a graphical desktop session; looked for an X display (DISPLAY "
                      "is not set) and a Wayland display (WAYLAND_DISPLAY is not set)\n"),
    (["-display", ":9997"], 1, "stderr", "norvaket: needs a graphical desktop session; looked for "
                                         "the X display :9997 (it could not be opened) and "),
])
def test_command_line_is_answered_without_a_display(args, status, stream, expected):
    env = {"PATH": "/usr/bin:/bin", "LANG": "C.UTF-8"}
    result = subprocess.run([str(PROGRAM), *args], env=env, capture_output=True, text=True, timeout=10)
    assert result.returncode == status
    assert getattr(result, stream).startswith(expected)


def panel_green_pixels(session):
    """Where the panel shows a battery icon's green charge bar."""
    return [(x, y) for y, row in enumerate(session.screen_pixels()) for x, (r, g, b) in enumerate(row)
            if g > 150 and r < 120 and b < 120]


def text_lines(session, window):
    """How many lines of text a window shows: bands of rows with dark pixels inside its
    one-pixel frame, at least four rows tall so that a separator does not count."""
    geometry = session.window_geometry(window)
    if geometry is None:
        return 0
    x, y, width, height = geometry
    rows = session.screen_pixels(width - 2, height - 2, x + 1, y + 1)
    inked = [any(sum(pixel) < 600 for pixel in row) for row in rows]
    bands = "".join("#" if ink else " " for ink in inked).split()
    return sum(len(band) >= 4 for band in bands)


def use_the_item_over_dbus(desktop, program, icon_x, icon_y):
    """A StatusNotifierItem host reads the tooltip and menu over D-Bus and activates the item."""
    wait_until(lambda: desktop.registered_items(), what="the item in the panel's watcher")
    tooltip = str(desktop.item_property("ToolTip")[2]).split("\n")
    assert len(tooltip) == 2 and tooltip[0] == "バッテリ" and tooltip[1].endswith(" まで (85%)")
    menu, items = menu_layout(desktop)
    labels = [str(p["label"]) for _, p in items if p.get("type", "standard") == "standard"]
    assert labels == ["電源のプロパティを開く(_P)", "オプション(_O)...", "ヘルプ(_H)...", "バージョン情報(_A)",
                      "終了(_X)"]

    # A left click on the icon in the panel is the primary action.
    xdotool(desktop, "mousemove", str(icon_x), str(icon_y), "click", "1")
    wait_until(lambda: '"オプション"' in desktop.window_tree(), what="the options dialog")

    click_menu_item(menu, items, "終了(_X)")
    assert program.wait(5) == 0
    wait_until(lambda: not desktop.registered_items(), what="the item to leave the watcher")


def hovering_shows_a_tooltip_of_two_lines(desktop, x, y):
    """Hovers again when no such tooltip comes up: the tray's focus messages at docking hide
    an early one. Polled: until the tooltip is painted, its window shows what lies beneath."""
    def two_lines_shown():
        return any(text_lines(desktop, w) == 2 for w, _, height, nested in program_windows(desktop)
                   if not nested and 10 < height < 100)
    for _ in range(3):
        xdotool(desktop, "mousemove", str(x), "300", "mousemove", str(x), str(y))
        try:
            return wait_until(two_lines_shown, timeout=4, what="a tooltip of two lines")
        except AssertionError:
            pass
    return False


def use_the_icon_window(desktop, program, icon_x, icon_y):
    """An XEmbed tray holds the program's own window: the tooltip and menu are the program's."""
    assert wait_until(lambda: desktop.docked_icon(tray="xfce4-panel"), what="the icon in the panel")
    assert hovering_shows_a_tooltip_of_two_lines(desktop, icon_x, icon_y)

    xdotool(desktop, "click", "--repeat", "2", "--delay", "80", "1")
    dialog = wait_until(lambda: window_named(desktop, "オプション"), what="the options dialog")
    wait_until(lambda: desktop.focused_window() == int(dialog, 16), what="the options dialog's focus")
    xdotool(desktop, "key", "Escape")
    wait_until(lambda: '"オプション"' not in desktop.window_tree(), what="the options dialog to close")

    xdotool(desktop, "click", "3")
    menu = wait_until(lambda: popup_menu_window(desktop), what="the pop-up menu")
    wait_until(lambda: text_lines(desktop, menu) == 5, what="the menu's five items")
    xdotool(desktop, "key", "x")  # 終了(&X)
    assert program.wait(5) == 0


# Debian's xfce4-panel: its systray plugin is a StatusNotifierWatcher and host, and an XEmbed
# tray; on a session bus of its own it is only the XEmbed tray to the program.
@pytest.mark.parametrize("own_bus, use", [(False, use_the_item_over_dbus), (True, use_the_icon_window)],
                         ids=["sni", "xembed"])
def test_xfce_panel_shows_the_icon_with_its_tooltip_menu_and_actions(desktop, own_bus, use):
    desktop.start_xfce_panel(own_bus=own_bus)
    desktop.start_upower(on_battery=True)
    desktop.set_display_device(DISCHARGING, 85.0, time_to_empty=3600)
    program = desktop.start_program()
    bar = wait_until(lambda: panel_green_pixels(desktop), what="the icon drawn in the panel")
    use(desktop, program, sum(x for x, _ in bar) // len(bar), sum(y for _, y in bar) // len(bar))
    wait_until(lambda: not panel_green_pixels(desktop), what="the icon to leave the panel")
