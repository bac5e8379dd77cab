"""The orders of a turn, on the real program: open a sample turn file, open the flight control
pad, turn and climb with its arrows, check a maneuver, give a custom command and answer its
prompts, compose a private radio message, generate the orders and copy them; the clipboard must
hold exactly the orders that those steps give."""

from __future__ import annotations

import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import harness  # noqa: E402

MAIN_TITLE = "Skelmar Velmora v2.0"
OPEN_TITLE = "Open Skelmar Velmora Data File"
PAD_TITLE = "Flight Control Pad"
PROMPT_TITLE = "Flight Command Prompt"
RADIO_TITLE = "Private Radio Message"
GENERATOR_TITLE = "Skelmar Command Generator"
SAMPLE = "dogfight.smv"
PILOT = ("Ace", "pw")

# Inner heights (twips) and the windows' places (left, top, width, height in twips)
MAIN_INNER = 5685
PAD_INNER = 3360
RADIO_INNER = 3555
GENERATOR_INNER = 3105
FLIGHT_CONTROLS_BTN = (120, 120, 750, 750)
HEAD_RIGHT = (1440, 360, 375, 375)
ALT_UP = (240, 1320, 375, 375)
THROTTLE_DOWN = (1680, 1800, 375, 375)
GENERATE = (120, 2520, 2175, 705)
LBL_HEAD = (720, 120)
LBL_ALT = (120, 2280)
LBL_THROTTLE = (1320, 2280)
TXT_TO = (240, 360, 495, 285)
TXT_MESSAGE = (240, 720, 4095, 2295)
CONTINUE = (1320, 3120, 855, 375)
COPY = (120, 2640, 1455, 375)

ANSWERS = {"String": "Corin Vale", "Integer": "7.5"}  # a fraction, read back the same anywhere
RADIO_TO, RADIO_TEXT = "CV", "Cover me"


def centre(box):
    return box[0] + box[2] / 2, box[1] + box[3] / 2


def read_sample(path: Path):
    """Top-level values and the custom commands (name, [(param, kind)]) of a turn file."""
    top, commands, section, command = {}, [], None, None
    for line in path.read_text().splitlines():
        if line.startswith("[END"):
            if section == "[COMMAND]":
                commands.append(command)
            section = None
        elif line.startswith("["):
            section, command = line, ["", []]
        elif section == "[COMMAND]" and line[:4] in ("STR~", "INT~"):
            command[1].append((line[4:], "String" if line.startswith("STR") else "Integer"))
        elif "=" in line:
            key, value = line.split("=", 1)
            if section == "[COMMAND]" and key.strip().upper() == "NAME":
                command[0] = value
            elif section is None:
                top[key.strip().upper()] = value
    return top, commands


def signed(n: int) -> str:
    return str(n) if n < 0 else f" {n}"


def command_line(name, params):
    line = name + ":"
    for slot, (_, kind) in enumerate(params):
        answer = ANSWERS[kind]
        if kind == "Integer":
            line += ("," if slot else "") + (answer if answer.startswith("-") else " " + answer)
        else:
            line += (", " if slot else "") + answer
    return line


def run(s: harness.Desktop):
    sample = s.samples / SAMPLE
    top, commands = read_sample(sample)
    # The first of the pad's five commands that asks both a text and a number.
    index, (name, params) = next((i, c) for i, c in enumerate(commands[:5])
                                 if {k for _, k in c[1]} == {"String", "Integer"})

    s.start(pilot=PILOT)
    main = s.find_window(MAIN_TITLE)
    splash = s.splash(main)
    # Closed as a window manager's close command does, not by a click: File unlocks all the same.
    s.request_close(splash)
    harness.wait_for(lambda: len(s.windows()) == 1, 10, "the splash to close")
    harness.wait_for(lambda: s.enabled(s.menu_item("File")), 10, "File to be unlocked")
    s.choose_menu(main, "File", "Open")
    s.open_file(str(sample), OPEN_TITLE)
    harness.wait_for(lambda: s.label_at(main, 5160, 0, MAIN_INNER) == "Your Aircraft", 10,
                     "the turn file to be read")

    s.click(*main.point(*centre(FLIGHT_CONTROLS_BTN), MAIN_INNER))
    pad = s.find_window(PAD_TITLE)

    def pad_label(place):
        return s.label_at(pad, *place, PAD_INNER)

    heading = int(top["HEADING"])
    altitude = min(int(top["ALTITUDE"]), int(top["CEILING"]))
    harness.wait_for(lambda: pad_label(LBL_HEAD) == "Heading:" + signed(heading), 10,
                     "the pad's heading")

    # One click turns a degree; a double click climbs 100 and then 1000 feet.
    s.click(*pad.point(*centre(HEAD_RIGHT), PAD_INNER))
    heading = (heading + 1) % 360
    harness.wait_for(lambda: pad_label(LBL_HEAD) == "Heading:" + signed(heading), 10,
                     "the heading to step")
    s.click(*pad.point(*centre(ALT_UP), PAD_INNER), repeat=2)
    altitude = min(altitude + 1100, int(top["CEILING"]))
    harness.wait_for(lambda: pad_label(LBL_ALT) == "Altitude:" + signed(altitude), 10,
                     "the altitude to step")
    time.sleep(0.6)  # so that the next click is no double click
    s.click(*pad.point(*centre(THROTTLE_DOWN), PAD_INNER))
    harness.wait_for(lambda: pad_label(LBL_THROTTLE) == "Throttle: 90", 10,
                     "the throttle to step")

    s.choose_menu(pad, "Maneuvers", "Immelmann")
    s.choose_menu(pad, "Maneuvers", name)
    prompt = s.find_window(PROMPT_TITLE)
    s.check_window(prompt)
    for param, kind in params:
        harness.wait_for(lambda: any(label.text == f"Enter in {param}:"
                                     for label in s.labels(prompt)), 10,
                         f"the prompt for {param}")
        s.focus(prompt)
        s.type_text(ANSWERS[kind])
        s.key("Return")
    s.wait_window_gone(PROMPT_TITLE)

    s.choose_menu(pad, "Radio", "Private")
    radio = s.find_window(RADIO_TITLE)
    s.click(*radio.point(*centre(TXT_TO), RADIO_INNER))
    s.type_text(RADIO_TO)
    s.click(*radio.point(*centre(TXT_MESSAGE), RADIO_INNER))
    s.type_text(RADIO_TEXT)
    time.sleep(0.3)
    s.click(*radio.point(*centre(CONTINUE), RADIO_INNER))
    s.wait_window_gone(RADIO_TITLE)

    s.click(*pad.point(*centre(GENERATE), PAD_INNER))
    generator = s.find_window(GENERATOR_TITLE)
    s.click(*generator.point(*centre(COPY), GENERATOR_INNER))

    expected = "\r\n".join([
        f"Name={PILOT[0]}",
        f"Password={PILOT[1]}",
        "Set Heading:" + signed(heading),
        "Set Altitude:" + signed(altitude),
        "Throttle: 90",
        "Immelmann",
        command_line(name, params),
    ]) + f"\r\n\r\nRadio Transmission:{RADIO_TO}\r\n{RADIO_TEXT}\r\nEnd Transmission"
    try:
        harness.wait_for(lambda: s.clipboard() == expected, 10, "the orders on the clipboard")
    except harness.HarnessError:
        raise harness.HarnessError(f"clipboard {s.clipboard()!r} != expected {expected!r}")
    s.screenshot("orders.png")

    s.choose_menu(main, "File", "Exit")
    assert s.wait_exit(10) == 0, "the program did not end cleanly"


if __name__ == "__main__":
    harness.main(run, __doc__)
