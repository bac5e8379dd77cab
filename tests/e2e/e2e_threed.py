"""The 3-D tactical map on the real program: open a sample turn file, open the map from its
button, show the preset menu with Esc, pick World View and South looking North, turn and tilt
with a left drag, zoom with a right drag, and close the map from its menu. Each step must change
the picture as a pilot would see it; screenshots of the views are left in the work folder."""

from __future__ import annotations

import subprocess
import sys
import time
from pathlib import Path

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, str(Path(__file__).resolve().parent))
import harness  # noqa: E402

MAIN_TITLE = "Skelmar Velmora v2.0"
OPEN_TITLE = "Open Skelmar Velmora Data File"
MAP_TITLE = "Skelmar Velmora 3-D Tactical Map"
SAMPLE = "dogfight.smv"
MAIN_INNER = 5685
THREE_D_BUTTON = (120, 4200, 750, 750)
MAP_INNER = (5280, 4995)  # twips


def centre(box):
    return box[0] + box[2] / 2, box[1] + box[3] / 2


class Picture:
    """The pixels of a window's inner area, as the screen shows them."""

    def __init__(self, s: harness.Desktop, window: harness.Window):
        self.width = harness.twips_to_pixels(MAP_INNER[0])
        self.height = harness.twips_to_pixels(MAP_INNER[1])
        ox, oy = window.inner_origin(MAP_INNER[1])
        self.data = subprocess.run(
            ["import", "-window", "root", "-crop", f"{self.width}x{self.height}+{ox}+{oy}",
             "-depth", "8", "rgb:-"], env=s.env, capture_output=True, timeout=20).stdout
        if len(self.data) != self.width * self.height * 3:
            raise harness.HarnessError("could not read the map's pixels")

    def pixel(self, x: int, y: int) -> tuple[int, int, int]:
        i = 3 * (y * self.width + x)
        return self.data[i], self.data[i + 1], self.data[i + 2]

    def greens(self, y: int) -> int:
        """How many pixels of row y are pure green, as only the ground grid is."""
        return sum(1 for x in range(self.width)
                   if self.pixel(x, y)[0] == 0 and self.pixel(x, y)[2] == 0 and
                   self.pixel(x, y)[1] > 0)


def changed(s: harness.Desktop, window: harness.Window, before: Picture, what: str) -> Picture:
    """Waits until the map shows something other than before, and returns it."""
    return harness.wait_for(lambda: (lambda p: p if p.data != before.data else None)(
        Picture(s, window)), 10, what)


def drag(s: harness.Desktop, button: int, points):
    s.move(*points[0])
    s.xdotool("mousedown", button)
    for x, y in points[1:]:
        s.xdotool("mousemove", "--sync", x, y)
        time.sleep(0.02)
    s.xdotool("mouseup", button)


def run(s: harness.Desktop):
    s.start()
    main = s.find_window(MAIN_TITLE)
    splash = s.splash(main)
    s.click(splash.x + splash.width // 2, splash.y + splash.height // 2)
    harness.wait_for(lambda: len(s.windows()) == 1, 10, "the splash to close")
    s.choose_menu(main, "File", "Open")
    s.open_file(str(s.samples / SAMPLE), OPEN_TITLE)
    harness.wait_for(lambda: s.label_at(main, 5160, 0, MAIN_INNER) == "Your Aircraft", 10,
                     "the turn file to be read")

    s.click(*main.point(*centre(THREE_D_BUTTON), MAIN_INNER))
    window = s.find_window(MAP_TITLE)
    assert s.menu_item("Preset Views") is None, "the map opens without its menu bar"
    top_down = harness.wait_for(lambda: (lambda p: p if p.greens(p.height // 4) > 20 else None)(
        Picture(s, window)), 10, "the ground grid in the plan view")
    s.screenshot("top-down.png")
    # The first drag only takes the pointer's place and redraws the same picture: the first one
    # was worked from the window's outer size as well.
    ox, oy = window.inner_origin(MAP_INNER[1])
    drag(s, 1, [(ox + 60, oy + 60), (ox + 61, oy + 60)])
    time.sleep(0.5)
    assert Picture(s, window).data == top_down.data, "the first picture is not the dragged one"

    s.focus(window)
    s.key("Escape")
    harness.wait_for(lambda: s.menu_item("Preset Views"), 10, "the preset menu after Esc")
    window = s.find_window(MAP_TITLE)

    s.choose_menu(window, "Preset Views", "World View")
    world = changed(s, window, top_down, "the World View")
    s.screenshot("world-view.png")

    s.choose_menu(window, "Preset Views", "South looking North")
    side = changed(s, window, world, "the view from the south")
    s.screenshot("south-looking-north.png")
    # Seen from the side the whole ground grid lies on one line across the window.
    rows = sorted(range(side.height), key=side.greens, reverse=True)
    assert side.greens(rows[0]) > side.width // 3, "no ground line in the side view"
    assert side.greens(rows[1]) < side.width // 10 or abs(rows[1] - rows[0]) <= 1, \
        "the ground grid is not on one line in the side view"

    # A left drag turns and tilts; a right drag upwards zooms in.
    ox, oy = window.inner_origin(MAP_INNER[1])
    drag(s, 1, [(ox + 60 + 8 * i, oy + 60 + 6 * i) for i in range(8)])
    turned = changed(s, window, side, "the view to turn and tilt")
    drag(s, 3, [(ox + 200, oy + 250 - 10 * i) for i in range(8)])
    changed(s, window, turned, "the view to zoom")
    s.screenshot("dragged.png")

    s.choose_menu(window, "Preset Views", "Close")
    s.wait_window_gone(MAP_TITLE)
    s.choose_menu(main, "File", "Exit")
    assert s.wait_exit(10) == 0, "the program did not end cleanly"


if __name__ == "__main__":
    harness.main(run, __doc__)
