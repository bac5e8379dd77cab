"""The main road of a turn, on the real program: start-up with the splash, open a sample turn
file through the program's own open dialog, point at an aircraft and at an objective of the
tactical view and read the information labels, open the combat report and the damage report from
their buttons and read them, then close the main window."""

from __future__ import annotations

import math
import sys
from pathlib import Path

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, str(Path(__file__).resolve().parent))
import harness  # noqa: E402

MAIN_TITLE = "Skelmar Velmora v2.0"
OPEN_TITLE = "Open Skelmar Velmora Data File"
INNER_HEIGHT = 5685  # twips, below the menu bar
SAMPLE = "dogfight.smv"

# The main window's layout, twips
VIEW = (120, 120, 4800, 4800)
ICON = (2345, 2340, 360, 360)
CORNER_BUTTONS = [(120, 120, 750, 750), (4200, 120, 750, 750), (120, 4200, 750, 750),
                  (4200, 4200, 750, 750)]
OPEN_BUTTON = (6240, 5040, 1800, 450)
COMBAT_BUTTON, DAMAGE_BUTTON = CORNER_BUTTONS[1], CORNER_BUTTONS[3]
LABEL_LEFT = 5160

COMBAT_TITLE = "Combat/Scenario Report"
DAMAGE_TITLE = "Damage Report"
DAMAGE_INNER_HEIGHT = 3570
# A point of each outline of the damage chart where no later outline crosses it, twips
OUTLINE_POINTS = {"DAMAGEENGINE": (2070, 320), "DAMAGELEFTWING": (1920, 1200),
                  "DAMAGERIGHTWING": (2220, 1200), "DAMAGECONTROLS": (2070, 2925),
                  "DAMAGEFUSELAGE": (1860, 1200)}
LEVEL_COLOURS = {0: (0, 255, 0), 1: (255, 255, 0), 2: (255, 0, 0)}
LABEL_TOPS = {"PName": 0, "InfoSquad": 360, "InfoAircraft": 600, "InfoSpeed": 840,
              "InfoAlt": 1080, "InfoBear": 1320, "InfoX": 1560, "InfoY": 1800,
              "infoDist": 2640, "infoForward": 2880, "InfoElev": 3120, "infoProb": 3480,
              "InfoVictories": 4320, "InfoDefeats": 4560}


def read_sample(path: Path):
    """The top-level values and the [AIRCRAFT] and [OBJECTIVE] blocks of a turn file."""
    top, blocks, block = {}, [], None
    for line in path.read_text().splitlines():
        if line in ("[AIRCRAFT]", "[OBJECTIVE]"):
            block = {"kind": line}
        elif line in ("[ENDAIRCRAFT]", "[ENDOBJECTIVE]"):
            blocks.append(block)
            block = None
        elif "=" in line:
            key, value = line.split("=", 1)
            (block if block is not None else top)[key.strip().upper()] = value
    return top, blocks


def read_combat(path: Path) -> list[str]:
    """The lines of a turn file's [COMBAT] block."""
    lines = path.read_text().splitlines()
    start = lines.index("[COMBAT]") + 1
    return lines[start:lines.index("[ENDCOMBAT]", start)]


def centre(box):
    return box[0] + box[2] / 2, box[1] + box[3] / 2


def place(top, x, y):
    """Centre of a contact's 360 x 360 picture, in twips from the inner area, and its distance."""
    zoom = int(top["VISIBILITY"])
    half = VIEW[2] / 2 - ICON[2] / 2
    dx, dy = x - float(top["X"]), y - float(top["Y"])
    left = round(dx / zoom * half) + VIEW[0] + VIEW[2] / 2 - ICON[2] / 2
    tp = round(-(dy / zoom * half)) + VIEW[1] + VIEW[3] / 2 - ICON[3] / 2
    return left + 180, tp + 180, math.hypot(dx, dy), zoom


def inside(box, x, y, margin=0):
    return box[0] - margin <= x < box[0] + box[2] + margin and \
        box[1] - margin <= y < box[1] + box[3] + margin


def pointable(top, block, xkey, ykey):
    """The centre of a contact that the pointer can reach on the map, or None."""
    cx, cy, dist, zoom = place(top, float(block[xkey]), float(block[ykey]))
    if dist >= zoom or not inside(VIEW, cx, cy, -200) or inside(ICON, cx, cy, 200):
        return None
    if any(inside(b, cx, cy, 200) for b in CORNER_BUTTONS):
        return None
    return cx, cy


def signed(n: str) -> str:
    return n if n.startswith("-") else " " + n


def run(s: harness.Desktop):
    sample = s.samples / SAMPLE
    top, blocks = read_sample(sample)

    s.start()
    main = s.find_window(MAIN_TITLE)
    splash = s.splash(main)
    # Until the splash is clicked the File menu is locked.
    assert not s.enabled(s.menu_item("File")), "File is usable before the splash was clicked"
    s.click(splash.x + splash.width // 2, splash.y + splash.height // 2)
    harness.wait_for(lambda: len(s.windows()) == 1, 10, "the splash to close")
    harness.wait_for(lambda: s.enabled(s.menu_item("File")), 10, "File to be unlocked")

    s.click(*main.point(OPEN_BUTTON[0] + 900, OPEN_BUTTON[1] + 225, INNER_HEIGHT))
    s.open_file(str(sample), OPEN_TITLE)

    def label(name):
        return s.label_at(main, LABEL_LEFT, LABEL_TOPS[name], INNER_HEIGHT)

    harness.wait_for(lambda: label("PName") == "Your Aircraft", 10, "the own aircraft's labels")
    own = {name: label(name) for name in ("InfoSquad", "InfoAircraft", "InfoAlt", "InfoBear",
                                          "InfoX", "InfoY")}
    expected = {"InfoSquad": "Squadron: " + top["SQUAD"],
                "InfoAircraft": "Aircraft: " + top["AIRCRAFT"],
                "InfoAlt": "Altitude:" + signed(top["ALTITUDE"]),
                "InfoBear": "Heading:" + signed(top["HEADING"]) + "\u00b0",
                "InfoX": "X: 12.5", "InfoY": "Y: -4.25"}
    assert own == expected, f"own aircraft labels {own} != {expected}"
    s.screenshot("turn-open.png")

    aircraft = next(b for b in blocks if b["kind"] == "[AIRCRAFT]" and pointable(top, b, "X", "Y"))
    s.move(*main.point(*pointable(top, aircraft, "X", "Y"), INNER_HEIGHT))
    name = f"{aircraft['NAME']} ({aircraft['PIC']})"
    harness.wait_for(lambda: label("PName") == name, 10, f"the labels of {name}")
    shown = {n: label(n) for n in ("InfoSquad", "InfoAircraft", "InfoAlt", "InfoVictories",
                                   "infoForward", "infoProb")}
    expected = {"InfoSquad": "Squadron: " + aircraft["SQUAD"],
                "InfoAircraft": "Aircraft: " + aircraft["PLANE"],
                "InfoAlt": "Altitude:" + signed(aircraft["ALTITUDE"]),
                "InfoVictories": "Victories:" + signed(aircraft["PVICTORIES"])}
    for key, value in expected.items():
        assert shown[key] == value, f"{key}: {shown[key]!r} != {value!r}"
    assert shown["infoForward"] in ("In Forward Line-of-Sight: Yes",
                                    "In Forward Line-of-Sight: No"), shown["infoForward"]
    assert shown["infoProb"].startswith("Probability: ") and \
        shown["infoProb"].endswith(" Shot"), shown["infoProb"]
    assert label("infoDist").startswith("Distance: "), label("infoDist")
    s.screenshot("on-aircraft.png")

    objective = next(b for b in blocks
                     if b["kind"] == "[OBJECTIVE]" and pointable(top, b, "OX", "OY"))
    s.move(*main.point(*pointable(top, objective, "OX", "OY"), INNER_HEIGHT))
    harness.wait_for(lambda: label("PName") == objective["ONAME"], 10,
                     f"the labels of {objective['ONAME']}")
    assert label("infoDist").startswith("Distance: "), label("infoDist")

    # The combat report: the [COMBAT] lines, each on its own line, and an empty last line.
    s.click(*main.point(*centre(COMBAT_BUTTON), INNER_HEIGHT))
    combat = s.find_window(COMBAT_TITLE)
    expected_text = "\n".join(read_combat(sample)) + "\n"

    def combat_text():
        boxes = s.accessible("text", combat)
        return boxes[0].get_text_iface().get_text(0, -1) if boxes else None

    harness.wait_for(lambda: combat_text() == expected_text, 10, "the combat report's text")
    # The box is W - 330 by H - 615 twips of the window's outer size, frame included, from the
    # first show on.
    frame = s.frame_extents(combat)
    outer = (combat.width + frame[0] + frame[1], combat.height + frame[2] + frame[3])
    box = s.accessible("text", combat)[0].get_extents(s._atspi_module().CoordType.SCREEN)
    assert (box.width, box.height) == (outer[0] - 22, outer[1] - 41), \
        f"combat box {box.width} x {box.height} in a window of {outer}"
    s.screenshot("combat-report.png")

    # The damage report: each outline in the colour of its level.
    s.click(*main.point(*centre(DAMAGE_BUTTON), INNER_HEIGHT))
    damage = s.find_window(DAMAGE_TITLE)
    expected_colours = {key: LEVEL_COLOURS.get(int(top[key]), (0, 0, 0)) for key in OUTLINE_POINTS}

    def outline_colours():
        return {key: s.pixel(*damage.point(x, y, DAMAGE_INNER_HEIGHT))
                for key, (x, y) in OUTLINE_POINTS.items()}

    harness.wait_for(lambda: outline_colours() == expected_colours, 10,
                     f"the damage outlines in {expected_colours}")
    s.screenshot("reports.png")

    # The reports lie over the main window's menus: closed by its close box, it ends the program.
    s.request_close(main)
    assert s.wait_exit(10) == 0, "the program did not end cleanly"


if __name__ == "__main__":
    harness.main(run, __doc__)
