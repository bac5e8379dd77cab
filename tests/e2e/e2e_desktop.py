"""The program on a desktop with a window manager and a task bar: the splash comes up above the
main window at every start; every window stands above its owner when shown, with the task bar
entry and the frame buttons of its kind; the 3-D map minimises and comes back alone; closing the
main window closes every window."""

from __future__ import annotations

import sys
from pathlib import Path

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, str(Path(__file__).resolve().parent))
import harness  # noqa: E402

MAIN_TITLE = harness.MAIN_TITLE
MAP_TITLE = "Skelmar Velmora 3-D Tactical Map"
MAIN_INNER = 5685
STARTS = 20
# Opened from the main window's menus, then from the pad's.
MAIN_MENUS = [(("Help", "About"), "About Skelmar Velmora"),
              (("Options", "Set Name and Password"), "Enter Name & Password"),
              (("Options", "Combat Report"), "Combat/Scenario Report"),
              (("Options", "Damage Report"), "Damage Report"),
              (("Options", "Flight Pad"), "Flight Control Pad"),
              (("Options", "3-D Tactical Map"), MAP_TITLE)]
PAD_MENUS = [(("Radio", "Private"), "Private Radio Message")]
GENERATE = (120 + 2175 / 2, 2520 + 705 / 2)  # the pad's Generate button, twips
PAD_INNER = 3360


def run(s: harness.Desktop):
    for start in range(STARTS):
        s.start()
        main = s.find_window(MAIN_TITLE)
        splash = s.splash(main)
        s.check_window(main)
        s.check_window(splash)
        if start < STARTS - 1:
            s.stop()
    s.screenshot("desktop-start.png")

    s.click(splash.x + splash.width // 2, splash.y + splash.height // 2)
    harness.wait_for(lambda: len(s.windows()) == 1, 10, "the splash to close")
    s.choose_menu(main, "File", "Open")
    s.open_file(str(s.samples / "dogfight.smv"), "Open Skelmar Velmora Data File")
    harness.wait_for(lambda: s.label_at(main, 5160, 0, MAIN_INNER) == "Your Aircraft", 10,
                     "the turn file to be read")
    for path, title in MAIN_MENUS:
        s.choose_menu(main, *path)
        s.check_window(s.find_window(title))
    pad = s.find_window("Flight Control Pad")
    s.click(*pad.point(*GENERATE, PAD_INNER))
    s.check_window(s.find_window("Skelmar Command Generator"))
    for path, title in PAD_MENUS:
        s.choose_menu(pad, *path)
        s.check_window(s.find_window(title))
    s.screenshot("desktop-all-windows.png")

    # The map minimises alone and comes back alone.
    threed = s.find_window(MAP_TITLE)
    s.xdotool("windowminimize", "--sync", threed.id)
    hidden = [w.name for w in s.windows()]
    assert MAP_TITLE not in hidden and len(hidden) == len(WINDOWS_OPEN) - 1, \
        f"minimising the map left {hidden}"
    s.screenshot("desktop-map-minimised.png")
    s.xdotool("windowactivate", "--sync", threed.id)
    s.find_window(MAP_TITLE)

    s.request_close(main)
    assert s.wait_exit(10) == 0, "the program did not end cleanly with its main window"


WINDOWS_OPEN = [MAIN_TITLE] + [t for _, t in MAIN_MENUS + PAD_MENUS] + ["Skelmar Command Generator"]

if __name__ == "__main__":
    harness.main(run, __doc__)
