"""The main road of a turn on a desktop with a window manager and a task bar: the splash comes up
above the main window at every start; a turn file opens through the program's own dialog; the
pointer on an aircraft fills the labels; every window stands above its owner when shown, with
the task bar entry and frame buttons of its kind; the reports show the turn; the 3-D map
minimises and comes back alone; closing the main window closes every window."""

from __future__ import annotations

import sys
from pathlib import Path

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, str(Path(__file__).resolve().parent))
import harness  # noqa: E402

MAIN_TITLE = harness.MAIN_TITLE
MAP_TITLE = "Skelmar Velmora 3-D Tactical Map"
SAMPLE = "dogfight.smv"
STARTS = 20
# Inner heights and places, twips
MAIN_INNER, PAD_INNER, DAMAGE_INNER = 5685, 3360, 3570
OPEN_BUTTON = (7140, 5265)
GENERATE = (1207, 2872)
LABEL_LEFT = 5160
# Corin Vale at 15.75, -6.0 seen from 12.5, -4.25 at zoom 15: centre of the picture
CONTACT = (3001, 2779)
# A point of each damage outline where no later outline crosses it, and the sample's levels
OUTLINES = {(2070, 320): 0, (1920, 1200): 1, (2220, 1200): 0, (2070, 2925): 0, (1860, 1200): 2}
LEVEL_COLOURS = {0: (0, 255, 0), 1: (255, 255, 0), 2: (255, 0, 0)}
# Opened from the main window's menus
MENUS = [(("Help", "About"), "About Skelmar Velmora"),
         (("Options", "Set Name and Password"), "Enter Name & Password"),
         (("Options", "Combat Report"), "Combat/Scenario Report"),
         (("Options", "Damage Report"), "Damage Report"),
         (("Options", "Flight Pad"), "Flight Control Pad"),
         (("Options", "3-D Tactical Map"), MAP_TITLE)]


def combat_lines(path: Path) -> list[str]:
    lines = path.read_text().splitlines()
    start = lines.index("[COMBAT]") + 1
    return lines[start:lines.index("[ENDCOMBAT]", start)]


def check_reports(s: harness.Desktop):
    combat = s.find_window("Combat/Scenario Report")
    expected = "\n".join(combat_lines(s.samples / SAMPLE)) + "\n"
    box = harness.wait_for(lambda: s.accessible("text", combat), 10, "the report's text box")[0]
    harness.wait_for(lambda: box.get_text_iface().get_text(0, -1) == expected, 10,
                     "the combat report's text")
    # The box is W - 330 by H - 615 twips of the outer size, frame included, from the first
    # show on.
    frame = s.frame_extents(combat)
    outer = (combat.width + frame[0] + frame[1], combat.height + frame[2] + frame[3])
    r = box.get_extents(s.atspi().CoordType.SCREEN)
    assert (r.width, r.height) == (outer[0] - 22, outer[1] - 41), \
        f"combat box {r.width} x {r.height} in a window of {outer}"

    damage = s.find_window("Damage Report")
    expected = {point: LEVEL_COLOURS[level] for point, level in OUTLINES.items()}
    harness.wait_for(lambda: {p: s.pixel(*damage.point(*p, DAMAGE_INNER)) for p in OUTLINES}
                     == expected, 10, f"the damage outlines in {expected}")


def run(s: harness.Desktop):
    for start in range(STARTS):
        if start:
            s.stop()
        s.start()
        main = s.find_window(MAIN_TITLE)
        splash = s.splash(main)
        s.check_window(main)
        s.check_window(splash)
    assert not s.enabled(s.menu_item("File")), "File is usable before the splash was clicked"
    s.screenshot("desktop-start.png")
    s.click(splash.x + splash.width // 2, splash.y + splash.height // 2)
    harness.wait_for(lambda: len(s.windows()) == 1, 10, "the splash to close")

    s.click(*main.point(*OPEN_BUTTON, MAIN_INNER))
    s.open_file(str(s.samples / SAMPLE), "Open Skelmar Velmora Data File")

    def label(top):
        return s.label_at(main, LABEL_LEFT, top, MAIN_INNER)

    harness.wait_for(lambda: label(0) == "Your Aircraft", 10, "the own aircraft's labels")
    assert (label(1560), label(1800)) == ("X: 12.5", "Y: -4.25"), (label(1560), label(1800))
    s.move(*main.point(*CONTACT, MAIN_INNER))
    harness.wait_for(lambda: label(0) == "Corin Vale (CV)", 10, "the pointed aircraft's labels")
    assert label(2640) == "Distance: 3.69 km  (Target out of range)", label(2640)

    for path, title in MENUS:
        s.choose_menu(main, *path)
        s.check_window(s.find_window(title))
    check_reports(s)
    pad = s.find_window("Flight Control Pad")
    s.click(*pad.point(*GENERATE, PAD_INNER))
    s.check_window(s.find_window("Skelmar Command Generator"))
    s.choose_menu(pad, "Radio", "Private")
    s.check_window(s.find_window("Private Radio Message"))
    s.screenshot("desktop-all-windows.png")

    shown = len(s.windows())
    threed = s.find_window(MAP_TITLE)
    s.xdotool("windowminimize", "--sync", threed.id)
    left = [w.name for w in s.windows()]
    assert MAP_TITLE not in left and len(left) == shown - 1, f"minimising the map left {left}"
    s.screenshot("desktop-map-minimised.png")
    s.xdotool("windowactivate", "--sync", threed.id)
    harness.wait_for(lambda: len(s.windows()) == shown, 10, "the map to come back")

    s.request_close(main)
    assert s.wait_exit(10) == 0, "the program did not end cleanly with its main window"


if __name__ == "__main__":
    harness.main(run, __doc__)
