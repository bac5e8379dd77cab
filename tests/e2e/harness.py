"""Drives the real program in a private X server, as a pilot would.

A test script does:

    import harness

    def run(s: harness.Desktop):
        s.start()
        main = s.find_window("Skelmar Velmora v2.0")
        ...

    if __name__ == "__main__":
        harness.main(run)

main() parses --app, --samples and --work, runs the test under a private D-Bus message bus (so the
accessibility bus is ours alone), saves a screenshot into --work when the test fails, and
always ends the program and the X server.

Positions: the windows are laid out in twips, 15 to the pixel, from the top-left corner of the
inner area, which lies under the menu bar. Window.point() turns layout twips into screen pixels.

Labels are read through the desktop accessibility bus (AT-SPI): Desktop.labels() gives every
label on the screen of a window with its text and place.
"""

from __future__ import annotations

import argparse
import os
import re
import shutil
import subprocess
import sys
import time
import traceback
from dataclasses import dataclass
from pathlib import Path
from typing import Callable, Optional

TWIPS_PER_PIXEL = 15
DEFAULT_TIMEOUT = 15.0

# A message bus of our own, so that the accessibility bus and its registry are ours alone.
_BUS_CONFIG = """<busconfig>
  <listen>unix:tmpdir=/tmp</listen>
  <auth>EXTERNAL</auth>
  <servicedir>/usr/share/dbus-1/services</servicedir>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
"""


class HarnessError(AssertionError):
    pass


def wait_for(predicate: Callable[[], object], timeout: float = DEFAULT_TIMEOUT,
             what: str = "a condition", interval: float = 0.05):
    """Polls predicate until it returns something truthy, and returns that."""
    deadline = time.monotonic() + timeout
    last_error: Optional[BaseException] = None
    while True:
        try:
            value = predicate()
            if value:
                return value
        except Exception as error:  # the program may be busy or half-built; poll again
            last_error = error
        if time.monotonic() >= deadline:
            detail = f" (last error: {last_error})" if last_error else ""
            raise HarnessError(f"timed out after {timeout:.0f}s waiting for {what}{detail}")
        time.sleep(interval)


def twips_to_pixels(twips: float) -> int:
    return int(round(twips / TWIPS_PER_PIXEL))


@dataclass
class Window:
    id: int
    name: str
    x: int
    y: int
    width: int
    height: int

    def inner_origin(self, inner_height_twips: Optional[float] = None) -> tuple[int, int]:
        """Screen pixel of the inner area's top-left corner. The inner area lies at the bottom
        of the window, under the menu bar (if any): give the window's inner height to find it."""
        if inner_height_twips is None:
            return self.x, self.y
        return self.x, self.y + self.height - twips_to_pixels(inner_height_twips)

    def point(self, x_twips: float, y_twips: float,
              inner_height_twips: Optional[float] = None) -> tuple[int, int]:
        ox, oy = self.inner_origin(inner_height_twips)
        return ox + int(x_twips // TWIPS_PER_PIXEL), oy + int(y_twips // TWIPS_PER_PIXEL)

    def contains(self, sx: int, sy: int) -> bool:
        return self.x <= sx < self.x + self.width and self.y <= sy < self.y + self.height


@dataclass
class Label:
    text: str
    x: int  # relative to the window's top-left corner, pixels
    y: int
    width: int
    height: int


# What the window manager must make of each window: its owner's title (None: no owner), whether
# it has a task bar entry, and the frame buttons it offers ("frameless": no frame at all). An
# owned window without an entry is kept above its owner (transient for it); one with an entry is
# a window of its own that minimises alone.
MAIN_TITLE = "Skelmar Velmora v2.0"
WINDOWS = {
    MAIN_TITLE: (None, True, {"minimise", "maximise", "resize"}),
    "Skelmar Velmora": (MAIN_TITLE, False, "frameless"),  # the splash
    "About Skelmar Velmora": (MAIN_TITLE, False, set()),
    "Enter Name & Password": (MAIN_TITLE, False, set()),
    "Flight Control Pad": (MAIN_TITLE, False, set()),
    "Flight Command Prompt": ("Flight Control Pad", False, "frameless"),
    "Private Radio Message": ("Flight Control Pad", False, {"minimise", "maximise", "resize"}),
    "Skelmar Command Generator": ("Flight Control Pad", False, set()),
    "Damage Report": (MAIN_TITLE, False, set()),
    "Combat/Scenario Report": (MAIN_TITLE, False, {"resize"}),
    "Skelmar Velmora 3-D Tactical Map": (MAIN_TITLE, True, {"minimise", "maximise", "resize"}),
}
_ACTIONS = {"minimise": "_NET_WM_ACTION_MINIMIZE", "maximise": "_NET_WM_ACTION_MAXIMIZE_VERT",
            "resize": "_NET_WM_ACTION_RESIZE"}


class Desktop:
    """One private X server with the program in it."""

    def __init__(self, app: str, work: str, samples: Optional[str] = None,
                 screen: tuple[int, int] = (1024, 768), locale: Optional[str] = None):
        self.app = str(Path(app).resolve())
        self.work = Path(work).resolve()
        self.samples = Path(samples).resolve() if samples else None
        self.locale = locale
        self.screen = screen
        self.display: Optional[str] = None
        self.env = dict(os.environ)
        self.proc: Optional[subprocess.Popen] = None
        self._xvfb: Optional[subprocess.Popen] = None
        self._bus: Optional[subprocess.Popen] = None
        self._a11y: Optional[subprocess.Popen] = None
        self._helpers: list[subprocess.Popen] = []  # window manager, task bar
        self._log = None
        self._atspi = None

    # --- start and stop ---

    def start_display(self):
        """Starts Xvfb on a display number that it picks itself (so that no other server can
        take it meanwhile), the window manager and task bar, and the accessibility bus."""
        self.work.mkdir(parents=True, exist_ok=True)
        read_end, write_end = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0",
             f"{self.screen[0]}x{self.screen[1]}x24", "-nolisten", "tcp"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as numbers:
            number = numbers.readline().strip()
        if not number.isdigit():
            xvfb.kill()
            raise HarnessError("Xvfb did not start")
        self.display, self._xvfb = f":{number}", xvfb
        self.env["DISPLAY"] = os.environ["DISPLAY"] = self.display
        self._start_message_bus()
        self._start_a11y_bus()
        self._start_desktop()

    def _start_desktop(self):
        """openbox, and tint2 for a task bar to look at in the screenshots."""
        wm = subprocess.Popen(["openbox", "--sm-disable"], env=self.env,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self._helpers.append(wm)
        wait_for(lambda: "_NET_SUPPORTING_WM_CHECK(WINDOW)" in self.root_property(
            "_NET_SUPPORTING_WM_CHECK"), 10, "the window manager")
        if shutil.which("tint2"):
            self._helpers.append(subprocess.Popen(["tint2"], env=self.env,
                                                  stdout=subprocess.DEVNULL,
                                                  stderr=subprocess.DEVNULL))

    def _start_message_bus(self):
        if shutil.which("dbus-daemon") is None:
            return
        config = self.work / "bus.conf"
        config.write_text(_BUS_CONFIG)
        bus = subprocess.Popen(["dbus-daemon", f"--config-file={config}", "--nofork",
                                "--print-address=1"], stdout=subprocess.PIPE,
                               stderr=subprocess.DEVNULL, text=True)
        address = bus.stdout.readline().strip()  # empty when the bus could not start
        bus.stdout.close()
        if not address:
            bus.wait()
            return
        self._bus = bus
        # Both the program and this process's own accessibility client look here.
        self.env["DBUS_SESSION_BUS_ADDRESS"] = os.environ["DBUS_SESSION_BUS_ADDRESS"] = address

    def _start_a11y_bus(self):
        launcher = next((p for p in ("/usr/libexec/at-spi-bus-launcher",
                                     "/usr/lib/at-spi2-core/at-spi-bus-launcher")
                         if os.path.exists(p)), None)
        if launcher is None or "DBUS_SESSION_BUS_ADDRESS" not in os.environ:
            return
        self._a11y = subprocess.Popen([launcher, "--launch-immediately"], env=self.env,
                                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def start(self, pilot: Optional[tuple[str, str]] = ("Ace", "pw")):
        """Starts the program in the work folder (its current directory). With pilot set, a
        pilot file is written there first, so that no login window pops up after a read."""
        if self.display is None:
            self.start_display()
        if pilot is not None:
            (self.work / "npdata.vsd").write_bytes(
                f'"{pilot[0]}"\r\n"{pilot[1]}"\r\n'.encode("utf-8"))
        env = dict(self.env)
        env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        env["QT_ACCESSIBILITY"] = "1"
        env.pop("QT_QPA_PLATFORM", None)
        env["QT_QPA_PLATFORM"] = "xcb"
        if self.locale:
            env.update(self._compiled_locale(self.locale))
        self._log = open(self.work / "program.log", "wb")
        self.proc = subprocess.Popen([self.app], cwd=self.work, env=env, stdout=self._log,
                                     stderr=subprocess.STDOUT)

    def _compiled_locale(self, name: str) -> dict[str, str]:
        """The environment of a desktop speaking the language of locale name (such as
        de_DE.UTF-8), compiled into the work folder, so the machine need not have it."""
        folder = self.work / "locales"
        if not (folder / name / "LC_NUMERIC").exists():
            folder.mkdir(parents=True, exist_ok=True)
            language, _, charmap = name.partition(".")
            result = subprocess.run(["localedef", "-i", language, "-f", charmap or "UTF-8",
                                     str(folder / name)], capture_output=True, text=True,
                                    timeout=120)
            if not (folder / name / "LC_NUMERIC").exists():
                raise HarnessError(f"localedef made no {name}: {result.stderr.strip()}")
        return {"LOCPATH": str(folder), "LANG": name, "LC_ALL": name, "LANGUAGE": ""}

    def wait_exit(self, timeout: float = DEFAULT_TIMEOUT) -> int:
        assert self.proc is not None
        try:
            return self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            raise HarnessError(f"the program did not end within {timeout:.0f}s")

    def stop(self):
        """Ends the program, keeping the desktop for the next start."""
        if self.proc is not None and self.proc.poll() is None:
            self.proc.terminate()
            self.proc.wait(10)
        if self._log:
            self._log.close()
            self._log = None

    def close(self):
        """Ends the program (if still running), the accessibility and message buses and the X
        server."""
        for proc in (self.proc, *self._helpers, self._a11y, self._bus, self._xvfb):
            if proc is not None and proc.poll() is None:
                proc.terminate()
                try:
                    proc.wait(5)
                except subprocess.TimeoutExpired:
                    proc.kill()
                    proc.wait()
        if self._log:
            self._log.close()

    # --- X tools ---

    def xdotool(self, *args: object, check: bool = True) -> str:
        result = subprocess.run(["xdotool", *map(str, args)], env=self.env,
                                capture_output=True, text=True, timeout=20)
        if check and result.returncode != 0:
            raise HarnessError(f"xdotool {' '.join(map(str, args))} failed: {result.stderr}")
        return result.stdout

    def _window(self, wid: int) -> Optional[Window]:
        # xwininfo, not xdotool, whose place of a framed window counts the frame twice
        out = subprocess.run(["xwininfo", "-id", str(wid)], env=self.env, capture_output=True,
                             text=True, timeout=10).stdout
        values = dict(re.findall(r"^\s*(Absolute upper-left [XY]|Width|Height):\s+(-?\d+)", out,
                                 re.MULTILINE))
        if "Width" not in values:
            return None
        name = self.xdotool("getwindowname", wid, check=False).rstrip("\n")
        return Window(wid, name, int(values["Absolute upper-left X"]),
                      int(values["Absolute upper-left Y"]), int(values["Width"]),
                      int(values["Height"]))

    def windows(self) -> list[Window]:
        """The program's top-level windows that the window manager shows."""
        if self.proc is None:
            return []
        out = self.xdotool("search", "--onlyvisible", "--pid", self.proc.pid, check=False)
        managed = self.stacking()
        found = []
        for line in out.split():
            w = self._window(int(line)) if int(line) in managed else None
            if w is not None and w.width > 1 and w.height > 1:
                found.append(w)
        return found

    def find_window(self, name: str, timeout: float = DEFAULT_TIMEOUT) -> Window:
        """The program's window whose title is exactly name, once the window manager shows it in
        its frame."""
        pattern = "^" + re.escape(name) + "$"

        def look():
            self._check_running()
            out = self.xdotool("search", "--onlyvisible", "--name", pattern, check=False)
            managed = self.stacking()
            for line in out.split():
                w = self._window(int(line)) if int(line) in managed else None
                if w is not None and w.width > 1:
                    return w
            return None

        return wait_for(look, timeout, f"the window {name!r}")

    def splash(self, main: Window) -> Window:
        """The splash window, which has no caption to find it by."""
        return wait_for(lambda: [w for w in self.windows() if w.id != main.id], 10,
                        "the splash window")[0]

    def wait_window_gone(self, name: str, timeout: float = DEFAULT_TIMEOUT):
        pattern = "^" + re.escape(name) + "$"
        wait_for(lambda: not self.xdotool("search", "--onlyvisible", "--name", pattern,
                                          check=False).split(),
                 timeout, f"the window {name!r} to close")

    def _check_running(self):
        if self.proc is not None and self.proc.poll() is not None:
            raise HarnessError(f"the program ended with code {self.proc.returncode}")

    def move(self, x: int, y: int):
        self.xdotool("mousemove", "--sync", x, y)

    def click(self, x: int, y: int, button: int = 1, repeat: int = 1):
        self.move(x, y)
        self.xdotool("click", "--repeat", repeat, button)

    def key(self, *keys: str):
        self.xdotool("key", "--clearmodifiers", *keys)

    def type_text(self, text: str):
        self.xdotool("type", "--delay", 2, "--clearmodifiers", text)

    def focus(self, window: Window):
        self.xdotool("windowfocus", "--sync", window.id, check=False)

    def xprop(self, *args: str) -> str:
        return subprocess.run(["xprop", *args], env=self.env, capture_output=True, text=True,
                              timeout=10).stdout

    def root_property(self, name: str) -> str:
        return self.xprop("-root", name)

    def atoms(self, wid: int, name: str) -> list[str]:
        """An atom-list property of a window as the window manager or the program set it."""
        out = self.xprop("-id", str(wid), name)
        return re.findall(r"_[A-Z0-9_]+", out.split("=", 1)[1]) if "=" in out else []

    def windows_property(self, wid: Optional[int], name: str) -> list[int]:
        """A window-list property (of the root window when wid is None), in its order."""
        out = self.xprop(*(("-id", str(wid)) if wid else ("-root",)), name)
        return [int(w, 16) for w in re.findall(r"0x[0-9a-fA-F]+", out)]

    def frame_extents(self, window: Window) -> list[int]:
        """The window manager's frame around the window: left, right, top and bottom."""
        out = self.xprop("-id", str(window.id), "_NET_FRAME_EXTENTS")
        return [int(n) for n in re.findall(r"\d+", out.split("=", 1)[1])] if "=" in out else []

    def transient_for(self, window: Window) -> Optional[int]:
        """The window that the window system keeps this one above (WM_TRANSIENT_FOR), or None."""
        found = self.windows_property(window.id, "WM_TRANSIENT_FOR")
        return found[0] if found else None

    def stacking(self) -> list[int]:
        """The managed windows, lowest first, as the window manager stacks them."""
        return self.windows_property(None, "_NET_CLIENT_LIST_STACKING")

    def check_window(self, window: Window):
        """Checks a window against WINDOWS by what the window manager made of it."""
        owner_title, in_taskbar, buttons = WINDOWS[window.name]
        transient = self.transient_for(window)
        stack = self.stacking()
        if owner_title is not None:
            owner = self.find_window(owner_title)
            assert stack.index(window.id) > stack.index(owner.id), \
                f"{window.name!r} is below {owner_title!r}"
            assert transient == (None if in_taskbar else owner.id), \
                f"{window.name!r} is transient for {transient}"
        state = self.atoms(window.id, "_NET_WM_STATE")
        assert ("_NET_WM_STATE_SKIP_TASKBAR" not in state) == in_taskbar, \
            f"{window.name!r}: task bar entry {not in_taskbar} ({state})"
        extents = self.frame_extents(window)
        if buttons == "frameless":
            assert not any(extents), f"{window.name!r} has a frame {extents}"
            return
        allowed = self.atoms(window.id, "_NET_WM_ALLOWED_ACTIONS")
        offered = {name for name, action in _ACTIONS.items() if action in allowed}
        assert offered == buttons and "_NET_WM_ACTION_CLOSE" in allowed, \
            f"{window.name!r} offers {offered}, not {buttons}"

    def request_close(self, window: Window):
        """Asks the window to close as its close box does, through the window manager
        (_NET_CLOSE_WINDOW, which it turns into WM_DELETE_WINDOW), with no click."""
        subprocess.run(["wmctrl", "-i", "-c", hex(window.id)], env=self.env, check=True,
                       timeout=10)

    # --- what the program shows ---

    def clipboard(self) -> str:
        result = subprocess.run(["xclip", "-selection", "clipboard", "-o"], env=self.env,
                                capture_output=True, timeout=10)
        return result.stdout.decode("utf-8", "replace")

    def screenshot(self, name: str) -> Path:
        path = self.work / name
        subprocess.run(["import", "-window", "root", str(path)], env=self.env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=20)
        return path

    def pixel(self, x: int, y: int) -> tuple[int, int, int]:
        """The colour of one screen pixel."""
        out = subprocess.run(["import", "-window", "root", "-crop", f"1x1+{x}+{y}", "-depth",
                              "8", "txt:-"], env=self.env, capture_output=True, text=True,
                             timeout=20).stdout
        m = re.search(r"\((\d+),(\d+),(\d+)", out.splitlines()[-1])
        if not m:
            raise HarnessError(f"cannot read the pixel at {x}, {y}")
        return int(m[1]), int(m[2]), int(m[3])

    # --- accessibility ---

    def atspi(self):
        if self._atspi is None:
            import gi
            gi.require_version("Atspi", "2.0")
            from gi.repository import Atspi
            self._atspi = Atspi
        return self._atspi

    def _application(self):
        Atspi = self.atspi()
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is not None and app.get_process_id() == self.proc.pid:
                return app
        return None

    def _walk(self, node, depth: int = 0):
        if node is None or depth > 40:
            return
        yield node
        for i in range(node.get_child_count()):
            yield from self._walk(node.get_child_at_index(i), depth + 1)

    def accessible(self, role: str, window: Optional[Window] = None,
                   name: Optional[str] = None) -> list:
        """Showing accessible objects of one role ("label", "menu item", "push button", ...)
        of the program, optionally only those on a window and with a given name."""
        Atspi = self.atspi()
        app = wait_for(self._application, DEFAULT_TIMEOUT, "the program on the accessibility bus")
        found = []
        for node in self._walk(app):
            if node.get_role_name() != role:
                continue
            if not node.get_state_set().contains(Atspi.StateType.SHOWING):
                continue
            if name is not None and node.get_name() != name:
                continue
            if window is not None:
                r = node.get_extents(Atspi.CoordType.SCREEN)
                if not window.contains(r.x + r.width // 2, r.y + r.height // 2):
                    continue
            found.append(node)
        return found

    def labels(self, window: Window) -> list[Label]:
        """Every label showing on a window, top to bottom, places relative to the window."""
        Atspi = self.atspi()
        result = []
        for node in self.accessible("label", window):
            r = node.get_extents(Atspi.CoordType.SCREEN)
            result.append(Label(node.get_name(), r.x - window.x, r.y - window.y, r.width,
                                r.height))
        result.sort(key=lambda label: (label.y, label.x))
        return result

    def label_at(self, window: Window, x_twips: float, y_twips: float,
                 inner_height_twips: Optional[float] = None) -> Optional[str]:
        """The text of the label whose top-left corner lies at this layout place (within a
        pixel), or None."""
        sx, sy = window.point(x_twips, y_twips, inner_height_twips)
        for label in self.labels(window):
            if abs(label.x + window.x - sx) <= 1 and abs(label.y + window.y - sy) <= 1:
                return label.text
        return None

    def menu_item(self, name: str):
        """The showing menu item (or menu) with this caption, access key marks removed."""
        items = self.accessible("menu item", name=name) + self.accessible("menu", name=name)
        return items[0] if items else None

    def enabled(self, node) -> bool:
        """Whether an accessible object (a menu item, a button) can be used."""
        return bool(node.get_state_set().contains(self.atspi().StateType.ENABLED))

    def click_accessible(self, node):
        Atspi = self.atspi()
        r = node.get_extents(Atspi.CoordType.SCREEN)
        self.click(r.x + r.width // 2, r.y + r.height // 2)

    # --- common steps ---

    def choose_menu(self, window: Window, *path: str):
        """Clicks through a menu path such as ("File", "Open") by the items' captions."""
        for name in path:
            node = wait_for(lambda: self.menu_item(name), DEFAULT_TIMEOUT, f"the menu item {name!r}")
            self.click_accessible(node)

    def open_file(self, path: str, dialog_title: str, timeout: float = DEFAULT_TIMEOUT):
        """In the program's own open dialog, types the full path into the file name box and
        presses Return; waits until the dialog has gone."""
        dialog = self.find_window(dialog_title, timeout)
        self.focus(dialog)
        # The file name box has the focus when the dialog opens; clear whatever it holds.
        self.key("ctrl+a")
        self.type_text(path)
        wait_for(lambda: self._name_box_holds(path), 5, "the typed path in the dialog")
        self.key("Return")
        self.wait_window_gone(dialog_title, timeout)

    def _name_box_holds(self, path: str) -> bool:
        try:
            boxes = self.accessible("text")
        except Exception:
            return True  # no accessibility: trust the typing
        for node in boxes:
            text = node.get_text_iface()
            if text is not None and text.get_text(0, -1) == path:
                return True
        return not boxes


def main(test: Callable[[Desktop], None], description: str = "") -> None:
    """Runs one test: parses the command line, starts the desktop, and ends it whatever happens.
    Exits 0 when the test passed."""
    parser = argparse.ArgumentParser(description=description)
    parser.add_argument("--app", required=True)
    parser.add_argument("--samples", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--locale", help="the desktop's language, such as de_DE.UTF-8")
    options = parser.parse_args()

    work = Path(options.work)
    if work.exists():
        shutil.rmtree(work)
    work.mkdir(parents=True)
    desktop = Desktop(options.app, str(work), options.samples, locale=options.locale)
    started = time.monotonic()
    code = 1
    try:
        test(desktop)
        code = 0
        print(f"passed in {time.monotonic() - started:.1f}s")
    except Exception:
        traceback.print_exc()
        if desktop.display is not None:
            shot = desktop.screenshot("failure.png")
            print(f"screenshot: {shot}")
        log = work / "program.log"
        if log.exists():
            print("program output:\n" + log.read_text(errors="replace")[-4000:])
    finally:
        desktop.close()
    sys.exit(code)


if __name__ == "__main__":
    print(__doc__)
