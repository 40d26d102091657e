"""Drives a program on a private X server from outside: windows found by title, keys and mouse
through xdotool, screenshots through ImageMagick's import. Standard library only."""

import os
import re
import subprocess
import tempfile
import time

# "  0x1a00007 "title": ("name" "Class")  640x480+0+0  +10+20"; untitled windows show
# (has no name) instead of the quoted title.
_TREE_LINE = re.compile(
    r'^\s*(0x[0-9a-f]+) (?:"(.*)"|\(has no name\)): \(.*\)\s+(\d+)x(\d+)[+-]-?\d+[+-]-?\d+\s+\+(-?\d+)\+(-?\d+)')


class Window:
    def __init__(self, wid, title, width, height, x, y):
        self.id = wid
        self.title = title
        self.width = width
        self.height = height
        self.x = x
        self.y = y

    def __repr__(self):
        return f"Window({self.id}, {self.title!r}, {self.width}x{self.height}+{self.x}+{self.y})"


class Image:
    """An RGB picture read from a binary PPM."""

    def __init__(self, width, height, pixels):
        self.width = width
        self.height = height
        self.pixels = pixels

    def at(self, x, y):
        i = (y * self.width + x) * 3
        return self.pixels[i], self.pixels[i + 1], self.pixels[i + 2]

    def crop(self, left, top, width, height):
        rows = []
        for y in range(top, top + height):
            start = (y * self.width + left) * 3
            rows.append(self.pixels[start:start + width * 3])
        return Image(width, height, b"".join(rows))

    def differing_pixels(self, colour, tolerance=24):
        """(x, y) of every pixel farther than tolerance from colour in some channel."""
        found = []
        p = self.pixels
        r0, g0, b0 = colour
        for y in range(self.height):
            row = y * self.width * 3
            for x in range(self.width):
                i = row + x * 3
                if abs(p[i] - r0) > tolerance or abs(p[i + 1] - g0) > tolerance or abs(p[i + 2] - b0) > tolerance:
                    found.append((x, y))
        return found

    def rgb(self):
        p = self.pixels
        return (p[i:i + 3] for i in range(0, len(p), 3))

    def dark_pixels(self, limit=60):
        p = self.pixels
        return [i // 3 for i in range(0, len(p), 3) if p[i] < limit and p[i + 1] < limit and p[i + 2] < limit]

    def mean_difference(self, other):
        """Mean absolute channel difference, 0 to 255; the pictures must be the same size."""
        if (self.width, self.height) != (other.width, other.height):
            raise ValueError("pictures of different sizes")
        total = sum(abs(a - b) for a, b in zip(self.pixels, other.pixels))
        return total / len(self.pixels)

    def save_ppm(self, path):
        with open(path, "wb") as out:
            out.write(b"P6\n%d %d\n255\n" % (self.width, self.height))
            out.write(self.pixels)


def read_ppm(path):
    with open(path, "rb") as source:
        data = source.read()
    fields = []
    pos = 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    if fields[0] != b"P6" or fields[3] != b"255":
        raise ValueError(f"{path}: not an 8-bit binary PPM")
    width, height = int(fields[1]), int(fields[2])
    pos += 1
    return Image(width, height, data[pos:pos + width * height * 3])


class XSession:
    """A private Xvfb server, without a window manager."""

    def __init__(self, width=1280, height=1024):
        read_end, write_end = os.pipe()
        self.server = subprocess.Popen(
            # Without -noreset the server starts over whenever its last client leaves, and a
            # client connecting just then is refused.
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{width}x{height}x24", "-nolisten", "tcp",
             "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as reader:
            number = reader.readline().strip()
        if not number:
            self.server.kill()
            raise RuntimeError("Xvfb did not start")
        self.display = ":" + number
        self.env = dict(os.environ, DISPLAY=self.display, GSETTINGS_BACKEND="memory", NO_AT_BRIDGE="1")
        self.env.pop("XAUTHORITY", None)
        self.shot_dir = tempfile.mkdtemp(prefix="vm-shots-")
        self.wait_until(self._answers, timeout=10, what=f"X server {self.display} answering")

    def _answers(self):
        return subprocess.run(["xwininfo", "-root"], env=self.env, capture_output=True).returncode == 0

    def close(self):
        self.server.terminate()
        try:
            self.server.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.server.kill()

    def run(self, *args):
        return subprocess.run(list(args), env=self.env, check=True, capture_output=True, text=True).stdout

    def windows(self):
        """Top-level windows that are mapped, with their titles (UTF-8)."""
        tree = subprocess.run(["xwininfo", "-root", "-children"], env=self.env, check=True,
                              capture_output=True).stdout.decode("utf-8", "replace")
        found = []
        for line in tree.splitlines():
            match = _TREE_LINE.match(line)
            if match and match.group(2):
                wid, title = match.group(1), match.group(2)
                if self._is_viewable(wid):
                    found.append(Window(wid, title, *(int(match.group(i)) for i in range(3, 7))))
        return found

    def child_windows(self, window):
        """The direct children of window, with their positions on the screen."""
        tree = subprocess.run(["xwininfo", "-id", window.id, "-children"], env=self.env, check=True,
                              capture_output=True).stdout.decode("utf-8", "replace")
        return [Window(m.group(1), m.group(2), *(int(m.group(i)) for i in range(3, 7)))
                for m in map(_TREE_LINE.match, tree.splitlines()) if m]

    def _is_viewable(self, wid):
        info = subprocess.run(["xwininfo", "-id", wid], env=self.env, capture_output=True).stdout
        return b"IsViewable" in info

    def wait_window(self, title_test, timeout=20.0, what="window"):
        """Polls until a mapped top-level window's title passes title_test."""
        def shown():
            return next((w for w in self.windows() if title_test(w.title)), None)
        try:
            return self.wait_until(shown, timeout, what)
        except TimeoutError:
            raise TimeoutError(f"no {what} appeared within {timeout} s; windows: {self.windows()}") from None

    def wait_gone(self, window, timeout=20.0):
        try:
            self.wait_until(lambda: all(w.id != window.id for w in self.windows()), timeout)
        except TimeoutError:
            raise TimeoutError(f"{window} still shown after {timeout} s") from None

    def focus(self, window):
        self.run("xdotool", "windowfocus", "--sync", window.id)

    def key(self, window, *keys, gap=0.05):
        """Focuses window and presses keys, gap seconds apart, in one xdotool run."""
        self.run("xdotool", "windowfocus", "--sync", window.id, "key", "--clearmodifiers", "--delay",
                 str(round(gap * 1000)), *keys)

    def type(self, window, text):
        self.focus(window)
        self.run("xdotool", "type", "--delay", "40", text)

    def click(self, x, y, button=1, repeat=1):
        # xdotool waits its delay after the last click too; a single click needs none.
        delay = "80" if repeat > 1 else "0"
        self.run("xdotool", "mousemove", str(x), str(y), "click", "--repeat", str(repeat), "--delay", delay,
                 str(button))

    def drag(self, x0, y0, x1, y1, pause=0.0):
        """Press, move in eight steps (pause seconds apart) and release at (x1, y1)."""
        self.run("xdotool", "mousemove", "--sync", str(x0), str(y0))
        self.run("xdotool", "mousedown", "1")
        steps = 8
        for i in range(1, steps + 1):
            self.run("xdotool", "mousemove", "--sync", str(x0 + (x1 - x0) * i // steps),
                     str(y0 + (y1 - y0) * i // steps))
            time.sleep(pause)
        self.run("xdotool", "mouseup", "1")

    def screenshot(self, name):
        path = os.path.join(self.shot_dir, name + ".ppm")
        self.run("import", "-window", "root", "-depth", "8", "ppm:" + path)
        return read_ppm(path)

    def wait_until(self, test, timeout=20.0, what="condition"):
        """test's first true result. Polls often at first, for the toolkit answers within
        milliseconds, then less often, so a long wait costs little."""
        deadline = time.monotonic() + timeout
        pause = 0.005
        while time.monotonic() < deadline:
            result = test()
            if result:
                return result
            time.sleep(pause)
            pause = min(pause * 2, 0.1)
        raise TimeoutError(f"{what} not met within {timeout} s")
