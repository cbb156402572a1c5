"""The body of scripts/demo: runs norvaket on a private desktop and photographs it."""
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "integration"))
from desktop_session import DesktopSession, wait_until  # noqa: E402

CHARGING, DISCHARGING = 1, 2

DUNST_CONFIG = """[global]
font = Noto Sans CJK JP 11
geometry = "420x5-10+40"
width = 420
origin = top-right
offset = 10x40
frame_width = 2
frame_color = "#3b6fb6"
[urgency_normal]
background = "#ffffff"
foreground = "#202020"
timeout = 30
"""


def shoot(session, path, crop=None):
    command = ["import", "-window", "root"]
    if crop:
        command += ["-crop", crop]
    subprocess.run(command + [str(path)], env=session.env, check=True)
    print(path)


def main(out):
    out = Path(out)
    session = DesktopSession()
    try:
        session.start_x()
        session.start_buses()
        tray = subprocess.Popen(["trayer", "--edge", "top", "--align", "right", "--widthtype",
                                 "pixel", "--width", "120", "--height", "32", "--SetDockType",
                                 "false", "--expand", "false", "--tint", "0xe0e0e0",
                                 "--transparent", "true", "--alpha", "0"],
                                env=session.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        session.processes.append(tray)
        config = session.tmp / "dunstrc"
        config.write_text(DUNST_CONFIG)
        dunst = subprocess.Popen(["dunst", "-conf", str(config)], env=session.env,
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        session.processes.append(dunst)
        session.start_upower(on_battery=True)
        session.set_display_device(DISCHARGING, 62.0, time_to_empty=9000)
        session.start_logind()
        time.sleep(1)
        session.start_program(settings="[Norvaket 1.00]\nNotifyPS1=Yes\nNotifyPS2=Yes\n")
        time.sleep(3)
        shoot(session, out / "icon.png", "160x40+864+0")

        subprocess.run(["xdotool", "mousemove", "1010", "16"], env=session.env, check=True)
        time.sleep(2.5)
        shoot(session, out / "tooltip.png", "420x120+604+0")

        subprocess.run(["xdotool", "click", "3"], env=session.env, check=True)
        time.sleep(1)
        shoot(session, out / "menu.png", "420x220+604+0")
        subprocess.run(["xdotool", "key", "Escape"], env=session.env, check=True)

        session.set_display_device(DISCHARGING, 61.0, time_to_empty=8800)
        time.sleep(1.5)
        session.set_on_battery(False)
        session.set_display_device(CHARGING, 61.0, time_to_full=3000)
        time.sleep(2.5)
        shoot(session, out / "notification.png", "560x260+464+0")
        shoot(session, out / "desktop.png")
        print(f"screenshots in {out}")
    finally:
        session.stop()


if __name__ == "__main__":
    main(sys.argv[1])
