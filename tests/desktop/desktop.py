"""A desktop for one scenario: a virtual screen (Xvfb) with the openbox window
manager, the built program copied with its installation data into a fresh
folder, and a user's hands and eyes (xdotool, xprop, import, pdftotext).

Controls are found where they are drawn: the window's place on the screen
comes from the X server, a control's place inside the window from
desktop_window_layout, which lays the same window out offscreen over a copy
of the scenario's database. Every wait polls; a wait that runs out says what
was on the screen instead.
"""
import json
import os
import shutil
import sqlite3
import subprocess
import tempfile
import time

INSTALLATION = ["quorvel", "Index.rtf", "TIPOFDAY.TXT", "TIPOFDAY1.TXT"]
SCREEN = (800, 600)


class Failure(Exception):
    pass


def poll(what, check, timeout=20.0, seen=None, interval=0.1):
    """Calls check until it gives something true; fails after timeout seconds
    with what was awaited and, from seen(), what was there instead."""
    end = time.monotonic() + timeout
    while True:
        result = check()
        if result:
            return result
        if time.monotonic() > end:
            there = seen() if seen else ""
            raise Failure(f"{what}: not seen within {timeout:g} s" + (f"; seen instead: {there}" if there else ""))
        time.sleep(interval)


class Desktop:
    def __init__(self, build):
        self.build = os.path.abspath(build)
        self.root = tempfile.mkdtemp(prefix="quorvel-desktop-")
        self.folder = os.path.join(self.root, "program")
        home = os.path.join(self.root, "home")
        os.makedirs(self.folder)
        os.makedirs(home)
        for name in INSTALLATION:
            shutil.copy2(os.path.join(self.build, name), self.folder)
        self.xvfb = self.wm = self.program = None
        self.log = open(os.path.join(self.root, "program.log"), "w+")
        self.env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=home + "/.config",
                        XDG_DATA_HOME=home + "/.local/share", XDG_RUNTIME_DIR=self.root,
                        QT_QPA_PLATFORM="xcb", CUPS_SERVER=os.path.join(self.root, "no-cups"))
        for name in ("QT_QPA_PLATFORMTHEME", "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "WAYLAND_DISPLAY"):
            self.env.pop(name, None)
        self.layouts = {}
        self.start_screen()

    # A scenario runs inside "with Desktop(build) as d:": whatever way it
    # ends, the screen and the program go, and a failure tells what the
    # program said.
    def __enter__(self):
        return self

    def __exit__(self, kind, error, trace):
        said = self.program_said() if isinstance(error, Failure) else ""
        self.close()
        if isinstance(error, Failure):
            raise Failure(f"{error}; the program said: {said}") from None
        return False

    # ------------------------------------------------------------ processes

    def start_screen(self):
        read, write = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", f"{SCREEN[0]}x{SCREEN[1]}x24", "-dpi", "96",
             "-nolisten", "tcp"], pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        number = b""
        with os.fdopen(read, "rb") as pipe:
            while not number.endswith(b"\n"):
                chunk = pipe.read(1)
                if not chunk:
                    raise Failure("Xvfb did not start")
                number += chunk
        self.env["DISPLAY"] = ":" + number.decode().strip()

    def start_window_manager(self):
        self.wm = subprocess.Popen(["openbox", "--sm-disable"], env=self.env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def wait_window_manager(self):
        # On a machine busy with other builds and tests the window manager can
        # take long to come up, or give up at its start: it is started again
        # then, as a session would.
        restarts = []

        def running():
            if self.wm.poll() is not None and len(restarts) < 3:
                restarts.append(self.wm.returncode)
                self.start_window_manager()
            return "window id" in self.x("xprop", "-root", "_NET_SUPPORTING_WM_CHECK")

        poll("the window manager", running, timeout=60,
             seen=lambda: f"openbox ended with {restarts} and was started again" if restarts else "")

    def start_program(self):
        self.log.seek(0)
        self.log.truncate()
        self.program = subprocess.Popen([os.path.join(self.folder, "quorvel")], cwd=self.folder, env=self.env,
                                        stdout=self.log, stderr=subprocess.STDOUT)

    def stop_program(self):
        if self.program and self.program.poll() is None:
            self.program.terminate()
            try:
                self.program.wait(10)
            except subprocess.TimeoutExpired:
                self.program.kill()
                self.program.wait(5)
        self.program = None

    def program_said(self):
        self.log.flush()
        self.log.seek(0)
        return self.log.read()[-2000:]

    def close(self):
        self.stop_program()
        for p in (self.wm, self.xvfb):
            if p and p.poll() is None:
                p.terminate()
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()
        self.log.close()
        shutil.rmtree(self.root, ignore_errors=True)

    def x(self, *args, check=False):
        done = subprocess.run(args, env=self.env, capture_output=True, text=True, timeout=20)
        if check and done.returncode != 0:
            raise Failure(f"{' '.join(args)}: {done.stderr.strip()}")
        return done.stdout

    # ------------------------------------------------------------ windows

    def windows(self):
        """The program's visible windows, bottom to top: [(id, title)]."""
        if not self.program:
            return []
        ours = set(self.x("xdotool", "search", "--onlyvisible", "--pid", str(self.program.pid)).split())
        stack = self.stacking() or sorted(ours, key=int)
        return [(w, self.title(w)) for w in stack if w in ours]

    def stacking(self):
        """Every managed window, bottom to top, as the window manager stacks them."""
        out = self.x("xprop", "-root", "_NET_CLIENT_LIST_STACKING")
        if "#" not in out:
            return []
        return [str(int(w.strip(), 16)) for w in out.split("#", 1)[1].split(",") if w.strip()]

    def title(self, wid):
        return self.x("xdotool", "getwindowname", wid).rstrip("\n")

    def seen(self):
        return ", ".join(f'"{t}"' for _, t in self.windows()) or "no window of the program"

    def window(self, title, timeout=20.0):
        def find():
            for wid, t in reversed(self.windows()):
                if t == title:
                    return wid
            return None
        return poll(f'the window "{title}"', find, timeout, self.seen)

    def gone(self, wid, what, timeout=10.0):
        poll(f"{what} to close", lambda: wid not in [w for w, _ in self.windows()], timeout, self.seen)

    def new_window(self, before, what, timeout=20.0):
        """The topmost visible window of the program not among `before`."""
        def find():
            fresh = [w for w, _ in self.windows() if w not in before]
            return fresh[-1] if fresh else None
        return poll(what, find, timeout, self.seen)

    def geometry(self, wid):
        """The window's inner rectangle on the screen: (x, y, width, height)."""
        values = {}
        for line in self.x("xwininfo", "-id", wid).splitlines():
            if ":" in line:
                k, v = line.strip().split(":", 1)
                values[k] = v.strip()
        try:
            return (int(values["Absolute upper-left X"]), int(values["Absolute upper-left Y"]),
                    int(values["Width"]), int(values["Height"]))
        except (KeyError, ValueError):
            raise Failure(f"window {wid} is gone")

    def settled_geometry(self, wid, timeout=5.0):
        """The window's rectangle once two readings in a row agree: a window
        just shown may still be placed by the window manager or centred over
        its owner."""
        last = [self.geometry(wid)]

        def same():
            time.sleep(0.05)
            now = self.geometry(wid)
            stable = now == last[0]
            last[0] = now
            return stable
        poll(f"window {wid} in its place", same, timeout, lambda: "%d,%d %dx%d" % last[0], interval=0)
        return last[0]

    def focused(self):
        return self.x("xdotool", "getwindowfocus", "-f").strip()

    def wait_focus(self, wid, what="the window", timeout=10.0):
        """Waits until the keyboard goes to the window: keys sent before the
        window manager has given it the focus go to the window before it."""
        poll(f"the keyboard's focus on {what}", lambda: self.focused() == wid, timeout,
             lambda: f'the focus on window {self.focused()}; windows {self.seen()}', interval=0.05)

    def frame_extents(self, wid):
        """The window manager's frame around the window: (left, right, top, bottom)."""
        out = self.x("xprop", "-id", wid, "_NET_FRAME_EXTENTS")
        if "=" not in out:
            return 0, 0, 0, 0
        return tuple(int(v) for v in out.split("=", 1)[1].split(","))

    def is_above(self, upper, lower):
        stack = self.stacking()
        return upper in stack and lower in stack and stack.index(upper) > stack.index(lower)

    # ------------------------------------------------------------ hands

    def move(self, x, y):
        """Moves the pointer and waits until the server has it there (xdotool's
        own --sync waits forever when the pointer is there already)."""
        self.x("xdotool", "mousemove", str(x), str(y), check=True)
        poll(f"the pointer at {x},{y}",
             lambda: self.x("xdotool", "getmouselocation").split()[:2] == [f"x:{x}", f"y:{y}"], 5,
             lambda: self.x("xdotool", "getmouselocation").strip(), interval=0.02)

    def click(self, x, y, button=1, repeat=1):
        self.move(x, y)
        self.x("xdotool", "click", "--repeat", str(repeat), "--delay", "80", str(button), check=True)

    def type(self, text, into=None):
        """Types into the focus; with `into`, once that window has it."""
        if into:
            self.wait_focus(into)
        self.x("xdotool", "type", "--delay", "40", text, check=True)

    def key(self, *keys, into=None):
        if into:
            self.wait_focus(into)
        self.x("xdotool", "key", "--delay", "40", *keys, check=True)

    def drag(self, x0, y0, x1, y1):
        self.move(x0, y0)
        self.x("xdotool", "mousedown", "1", check=True)
        steps = 8
        for i in range(1, steps + 1):
            self.move(x0 + (x1 - x0) * i // steps, y0 + (y1 - y0) * i // steps)
        self.x("xdotool", "mouseup", "1", check=True)

    # ------------------------------------------------------------ where controls are drawn

    def layout(self, window_name, steps=()):
        """The named window's title, inner size and controls, laid out offscreen
        after the steps (see desktop_window_layout) that bring it to its state."""
        key = (window_name,) + tuple(steps)
        if key not in self.layouts:
            env = dict(self.env, QT_QPA_PLATFORM="offscreen:configfile=" +
                       os.path.join(self.build, "screens", f"{SCREEN[0]}x{SCREEN[1]}.json"))
            done = subprocess.run([os.path.join(self.build, "desktop_window_layout"), self.folder, window_name,
                                   *steps],
                                  env=env, capture_output=True, text=True, timeout=60)
            lines = [l for l in done.stdout.splitlines() if l.startswith("{")]
            if done.returncode != 0 or not lines:
                raise Failure(f"no layout of {window_name}: {done.stderr.strip()[-500:]}")
            self.layouts[key] = json.loads(lines[-1])
        return self.layouts[key]

    def control_at(self, wid, window_name, control, steps=()):
        """The screen point at the middle of a control of a shown window."""
        lay = self.layout(window_name, steps)
        if control not in lay["controls"]:
            raise Failure(f"{window_name} has no control {control}")
        cx, cy, cw, ch = lay["controls"][control]
        x, y, w, h = self.settled_geometry(wid)
        sx = w / lay["size"][0] if lay["size"][0] else 1
        sy = h / lay["size"][1] if lay["size"][1] else 1
        return x + round((cx + cw / 2) * sx), y + round((cy + ch / 2) * sy)

    def click_control(self, wid, window_name, control, steps=()):
        self.click(*self.control_at(wid, window_name, control, steps))

    def close_window(self, wid):
        """Closes a window as a user does: its title bar clicked, then Alt+F4."""
        x, y, w, h = self.settled_geometry(wid)
        top = self.frame_extents(wid)[2]
        self.click(x + w // 2, y - max(top, 4) // 2)
        self.key("alt+F4", into=wid)

    def click_ok(self, box):
        """Clicks the OK of a message box at the place the box's layout puts it."""
        lay = self.layout("message")
        dx, dy = lay["ok_from_bottom_right"]
        x, y, w, h = self.settled_geometry(box)
        self.click(x + w - dx, y + h - dy)

    # ------------------------------------------------------------ eyes

    def picture(self, wid):
        """The window's pixels as drawn: (width, height, RGB bytes)."""
        # ImageMagick writes 16 bits a channel unless told otherwise.
        ppm = subprocess.run(["import", "-window", wid, "-depth", "8", "ppm:-"], env=self.env,
                             capture_output=True, timeout=30).stdout
        if not ppm.startswith(b"P6"):
            raise Failure(f"no picture of window {wid}")
        fields, at = [], 2
        while len(fields) < 3:
            while ppm[at:at + 1].isspace():
                at += 1
            if ppm[at:at + 1] == b"#":
                at = ppm.index(b"\n", at)
                continue
            end = at
            while not ppm[end:end + 1].isspace():
                end += 1
            fields.append(int(ppm[at:end]))
            at = end
        width, height, maxval = fields
        if maxval != 255:
            raise Failure(f"the picture of window {wid} has {maxval + 1} levels a channel, not 256")
        return width, height, ppm[at + 1:at + 1 + width * height * 3]

    def save_picture(self, wid, name):
        keep = os.environ.get("QV_DESKTOP_SHOTS")
        if keep:
            os.makedirs(keep, exist_ok=True)
            subprocess.run(["import", "-window", wid, os.path.join(keep, name + ".png")], env=self.env, timeout=30)

    # ------------------------------------------------------------ print-outs

    def printed_text(self, name, timeout=20.0):
        """The text of a PDF the program printed into the home folder, once
        the file is whole."""
        path = os.path.join(self.env["HOME"], name)

        def whole():
            try:
                with open(path, "rb") as f:
                    f.seek(-1024, os.SEEK_END)
                    return b"%%EOF" in f.read()
            except OSError:
                return False
        poll(f"the print-out {name}", whole, timeout,
             lambda: f"in the home folder: {sorted(os.listdir(self.env['HOME']))}")
        done = subprocess.run(["pdftotext", "-layout", path, "-"], capture_output=True, text=True, timeout=30)
        if done.returncode != 0:
            raise Failure(f"pdftotext {name}: {done.stderr.strip()}")
        return done.stdout

    # ------------------------------------------------------------ the salon's file

    def database(self):
        return os.path.join(self.folder, "KVD.mdb")

    def query(self, sql, *args):
        with sqlite3.connect(f"file:{self.database()}?mode=ro", uri=True, timeout=10) as db:
            return db.execute(sql, args).fetchall()

    def write(self, sql, rows):
        db = sqlite3.connect(self.database(), timeout=10)
        try:
            db.executemany(sql, rows)
            db.commit()
        finally:
            db.close()


def differing_share(a, b):
    """About the share of pixels that differ between two pictures (1 when
    their sizes differ)."""
    if a[:2] != b[:2]:
        return 1.0
    if a[2] == b[2]:
        return 0.0
    return sum(x != y for x, y in zip(a[2], b[2])) / len(a[2])
