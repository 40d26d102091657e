#!/usr/bin/env python3
"""The typical edit from start to close, done on the real program from outside with the keyboard
and the mouse, checking what the user sees and the files written.

usage: walkthrough.py PROGRAM [--keep DIR] [--screenshot PNG]"""

import argparse
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from x11_driver import Image, XSession, read_ppm  # noqa: E402

TITLE_PREFIX = "Vellumarkライター\u3000version 5.00  "
NEW_SCENE_TITLE = TITLE_PREFIX + "[新規作成]"
TEXT_ENTRY = "文字・文字列変更ダイアログ"
POSITION = "位置の入力"
MATERIAL = "色・材質の設定"
SHADOW = "影のプロパティ"
SAVE_SCENE = "Vellumarkファイルを保存"
OPEN_SCENE = "Vellumarkファイルを開く"
CAPTURE = "現在のシーンを保存(名前を付けて保存)"
TEXTURE = "テクスチャ用ビットマップファイルを開く"
OBJECT_SELECT = "オブジェクト選択ダイアログ"

# How far pictures of the same scene may drift (mean channel difference, 0 to 255).
SAME_PICTURE = 2.0
JPEG_DRIFT = 8.0


def read_bmp(path):
    """A 24-bit bottom-up BMP as an Image."""
    with open(path, "rb") as bmp:
        data = bmp.read()
    offset = struct.unpack("<I", data[10:14])[0]
    width, height = struct.unpack("<ii", data[18:26])
    row = (width * 3 + 3) & ~3
    rows = []
    for y in range(height - 1, -1, -1):
        line = data[offset + y * row:offset + y * row + width * 3]
        rgb = bytearray(line)
        rgb[0::3], rgb[2::3] = line[2::3], line[0::3]
        rows.append(bytes(rgb))
    return Image(width, height, b"".join(rows))


def write_gradient_bmp(path, side, bottom, top):
    """A 24-bit BMP of side x side pixels shading from one colour (RGB) at the bottom row to the
    other at the top."""
    rows = []
    for y in range(side):
        r, g, b = (bottom[i] + (top[i] - bottom[i]) * y // (side - 1) for i in range(3))
        rows.append(bytes((b, g, r)) * side)
    pixels = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, side, side, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as bmp:
        bmp.write(header + info + pixels)


def _orange(rgb):
    return rgb[0] > 180 and rgb[2] < 90 and rgb[1] < rgb[0] - 40


def _bluish(rgb):
    return rgb[2] > rgb[0] + 40 and rgb[2] > rgb[1] + 20


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


class Walkthrough:
    def __init__(self, program, work_dir, log, args=(), toolkit_settings=None):
        self.program = program
        self.args = list(args)
        self.work = work_dir
        self.log = log
        self.x = XSession()
        self.started = time.monotonic()
        home = os.path.join(work_dir, "home")
        os.makedirs(home, exist_ok=True)
        self.env = dict(self.x.env, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
                        XDG_DATA_HOME=os.path.join(home, ".local/share"))
        if toolkit_settings:
            folder = os.path.join(self.env["XDG_CONFIG_HOME"], "gtk-3.0")
            os.makedirs(folder, exist_ok=True)
            with open(os.path.join(folder, "settings.ini"), "w") as ini:
                ini.write("[Settings]\n" + "".join(f"{k}={v}\n" for k, v in toolkit_settings.items()))
        self.process = subprocess.Popen([program, *self.args], env=self.env, cwd=work_dir)
        self.main = None
        self.view = None  # (left, top, width, height) of the GL view on screen
        self.background = None

    def close(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
        self.x.close()

    # ---- helpers ----

    def wait_started(self):
        """The main window of a new scene. Now and then, on a busy machine, the toolkit has failed
        to open the display at start (exit status 255 before any window): one restart is allowed
        for that, and said."""
        try:
            self.main = self.wait_title(NEW_SCENE_TITLE)
        except TimeoutError:
            if self.process.poll() != 255:
                raise
            self.log("the toolkit could not open the display; starting the program again")
            self.process = subprocess.Popen([self.program, *self.args], env=self.env, cwd=self.work)
            self.main = self.wait_title(NEW_SCENE_TITLE)
        self.view = self.find_view()

    def step(self, text):
        self.log(f"[{time.monotonic() - self.started:6.1f} s] {text}")

    def wait_title(self, title, timeout=20.0):
        return self.x.wait_window(lambda t: t == title, timeout, what=repr(title))

    def main_title(self):
        # The main caption always carries a bracketed suffix; message boxes have the bare prefix.
        return self.x.wait_window(lambda t: t.startswith(TITLE_PREFIX + "["), what="main window").title

    def view_picture(self, name):
        left, top, width, height = self.view
        return self.x.screenshot(name).crop(left, top, width, height)

    def settled_view(self, name):
        """The view once two pictures in a row agree (the paint after a change has landed)."""
        previous = self.view_picture(name)
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline:
            time.sleep(0.2)
            current = self.view_picture(name)
            if current.pixels == previous.pixels:
                return current
            previous = current
        return previous

    def _changed_view(self, name, before):
        picture = self.settled_view(name)
        return picture if picture.pixels != before.pixels else None

    def text_pixels(self, picture):
        return picture.differing_pixels(self.background, tolerance=40)

    def bounds(self, pixels):
        xs = [p[0] for p in pixels]
        ys = [p[1] for p in pixels]
        return min(xs), min(ys), max(xs), max(ys)

    def solid_point(self, picture, region=None):
        """A point well inside drawn text, nearest the middle of what is drawn in region."""
        pixels = set(self.text_pixels(picture))
        if region:
            x0, y0, x1, y1 = region
            pixels = {p for p in pixels if x0 <= p[0] <= x1 and y0 <= p[1] <= y1}
        check(pixels, "no text drawn where it was expected")
        cx = sum(p[0] for p in pixels) / len(pixels)
        cy = sum(p[1] for p in pixels) / len(pixels)
        solid = [p for p in pixels
                 if all((p[0] + dx, p[1] + dy) in pixels for dx in (-2, 0, 2) for dy in (-2, 0, 2))]
        check(solid, "drawn text has no solid part to click on")
        x, y = min(solid, key=lambda p: (p[0] - cx) ** 2 + (p[1] - cy) ** 2)
        return self.view[0] + x, self.view[1] + y

    def find_view(self):
        """The GL view: the largest child window of the main window, as (left, top, w, h)."""
        children = self.x.child_windows(self.main)
        check(children, "the main window has no view")
        view = max(children, key=lambda w: w.width * w.height)
        return view.x, view.y, view.width, view.height

    def add_text(self, text):
        self.x.key(self.main, "ctrl+n")
        dialog = self.wait_title(TEXT_ENTRY)
        self.x.type(dialog, text)
        self.x.key(dialog, "Return")  # Apply is the default button
        self.x.wait_gone(dialog)

    def open_object_menu(self, point):
        self.x.click(*point, button=3)
        # The popup is a top-level window without a title of ours; wait until it is mapped.
        self.x.wait_until(lambda: any(not w.title.startswith(TITLE_PREFIX) for w in self.x.windows()),
                          what="object menu")

    def object_menu(self, point, mnemonic, title):
        self.open_object_menu(point)
        self.x.run("xdotool", "key", mnemonic)
        return self.wait_title(title)

    def choose_file(self, dialog_title, path, save):
        dialog = self.wait_title(dialog_title)
        # The location field: typed into directly in a save dialog, opened with Ctrl+L otherwise.
        self.x.key(dialog, "ctrl+a" if save else "ctrl+l")
        time.sleep(0.3)
        self.x.type(dialog, path)
        time.sleep(0.3)
        self.x.key(dialog, "Return")
        self.x.wait_gone(dialog)

    # ---- the road ----

    def run(self, screenshot_out):
        self.step("start")
        self.wait_started()
        empty = self.settled_view("empty")
        self.background = empty.at(empty.width // 2, empty.height // 2)
        check(not self.text_pixels(empty), "the empty view is not plain background")

        self.step("Ctrl+N: a Japanese text")
        self.add_text("日本語")
        japanese = self.settled_view("japanese")
        pixels = self.text_pixels(japanese)
        check(len(pixels) > 2000, f"the Japanese text is not drawn ({len(pixels)} pixels)")
        jx0, jy0, jx1, jy1 = self.bounds(pixels)
        middle = (japanese.width // 2, japanese.height // 2)
        # Centred across the middle, standing on the baseline through the origin.
        check(jx0 < middle[0] < jx1 and jy0 < middle[1] and abs(jy1 - middle[1]) < 30,
              f"the text is not around the middle of the view: {jx0, jy0, jx1, jy1}")
        check(self.main_title() == NEW_SCENE_TITLE, "caption changed before saving")

        self.step("double click selects it, position dialog moves it up")
        self.x.click(*self.solid_point(japanese), repeat=2)
        selected = self.settled_view("selected")
        check(selected.mean_difference(japanese) > 0.05, "double click showed no highlight")
        dialog = self.object_menu(self.solid_point(japanese), "p", POSITION)
        # Focus starts on the X field; the Y arrows come after the three fields and X's arrows.
        self.x.key(dialog, "Tab", "Tab", "Tab", "Tab")
        for _ in range(10):
            self.x.key(dialog, "Up")
        self.x.key(dialog, "Escape")
        self.x.wait_gone(dialog)
        moved = self.settled_view("moved")
        _, my0, _, my1 = self.bounds(self.text_pixels(moved))
        check(my1 < jy1 - 20 and my0 < jy0 - 20, f"the text did not move up: {jy0, jy1} -> {my0, my1}")

        self.step("Ctrl+N: a Latin text, selected and coloured")
        self.add_text("Logo")
        both = self.settled_view("both")
        below = (0, my1 + 5, both.width - 1, both.height - 1)
        latin_point = self.solid_point(both, below)
        self.x.click(*latin_point, repeat=2)
        self.settled_view("latin-selected")
        dialog = self.object_menu(latin_point, "c", MATERIAL)
        # Focus starts on the diffuse red field; the arrows follow the nine fields and the three
        # picker buttons: red, green, blue of diffuse, then of specular, then of ambient. Green
        # down in all three turns yellow into orange from every side.
        self.x.key(dialog, *["Tab"] * 10)
        for _ in range(3):
            self.x.key(dialog, *["Tab"] * 3)
            self.x.run("xdotool", "key", "--repeat", "150", "--delay", "8", "Down")
        self.x.key(dialog, "Escape")
        self.x.wait_gone(dialog)
        coloured = self.settled_view("coloured")
        x, y = latin_point[0] - self.view[0], latin_point[1] - self.view[1]
        before, after = both.at(x, y), coloured.at(x, y)
        check(after[1] < before[1] - 30 and after[0] > 200,
              f"the Latin text did not lose green: {before} -> {after}")
        japanese_point = self.solid_point(both, (0, 0, both.width - 1, my1))
        jx, jy = japanese_point[0] - self.view[0], japanese_point[1] - self.view[1]
        check(coloured.at(jx, jy) == both.at(jx, jy), "the colour changed the other text too")

        self.step("a BMP texture on the Japanese text")
        texture_path = os.path.join(self.work, "gradient.bmp")
        write_gradient_bmp(texture_path, 64, (20, 50, 190), (140, 190, 255))
        japanese_point = self.solid_point(coloured, (0, 0, coloured.width - 1, my1))
        self.x.click(*japanese_point, repeat=2)
        self.settled_view("japanese-selected")
        self.object_menu(japanese_point, "t", TEXTURE)
        self.choose_file(TEXTURE, texture_path, save=False)
        textured = self.settled_view("textured")
        blue = [p for p in self.text_pixels(textured) if p[1] < my1 and _bluish(textured.at(*p))]
        check(len(blue) > 500, f"the texture does not show on the Japanese text ({len(blue)} blue pixels)")

        self.step("view tilted from above by dragging, shadow on")
        # Seen from the horizon the floor is edge-on and no shadow could show.
        left, top, width, height = self.view
        self.x.drag(left + 40, top + height - 40, left + 40, top + height - 130, pause=0.1)
        tilted = self.settled_view("tilted")
        check(tilted.mean_difference(textured) > 0.5, "dragging did not turn the view")
        self.x.key(self.main, "alt+e")
        time.sleep(0.3)
        # Two items of the menu share S: the second press reaches the shadow item.
        self.x.run("xdotool", "key", "s", "s", "Return")
        dialog = self.wait_title(SHADOW)
        self.x.key(dialog, "space")  # focus starts on the draw-shadow box
        self.x.key(dialog, "Escape")
        self.x.wait_gone(dialog)
        shadowed = self.settled_view("shadowed")
        # The shadow is near black, far more of it than any shaded side of the text.
        dark_before, dark_after = len(tilted.dark_pixels()), len(shadowed.dark_pixels())
        check(dark_after > dark_before + 1000,
              f"switching the shadow on drew no shadow ({dark_before} -> {dark_after} dark pixels)")

        self.step("Save As")
        scene_path = os.path.join(self.work, "ロゴ.vmk")
        self.x.key(self.main, "alt+f")
        time.sleep(0.3)
        self.x.run("xdotool", "key", "a")
        self.choose_file(SAVE_SCENE, scene_path, save=True)
        self.x.wait_until(lambda: self.main_title() == TITLE_PREFIX + f"[{scene_path}]",
                          what="caption with the saved path")
        check(os.path.getsize(scene_path) == 132 + 2 * 544, "scene file size is not header + 2 records")
        with open(scene_path, "rb") as scene_file:
            check(b"vellumark" in scene_file.read(32), "scene file has no magic")
        saved = self.settled_view("saved")

        self.step("New, then Open the file again")
        self.x.key(self.main, "alt+f")
        time.sleep(0.3)
        self.x.run("xdotool", "key", "n")
        self.x.wait_until(lambda: self.main_title() == NEW_SCENE_TITLE, what="new scene caption")
        cleared = self.settled_view("cleared")
        check(not self.text_pixels(cleared), "New left objects in the view")
        self.x.key(self.main, "alt+f")
        time.sleep(0.3)
        self.x.run("xdotool", "key", "o")
        self.choose_file(OPEN_SCENE, scene_path, save=False)
        self.x.wait_until(lambda: self.main_title() == TITLE_PREFIX + f"[{scene_path}]",
                          what="caption with the opened path")
        reopened = self.settled_view("reopened")
        difference = reopened.mean_difference(saved)
        check(difference < SAME_PICTURE, f"the reopened scene looks different ({difference:.2f})")
        final = self.x.screenshot("final")

        self.step("object selection dialog: the second object moved by number")
        self.x.key(self.main, "alt+e")
        time.sleep(0.3)
        self.x.run("xdotool", "key", "s", "Return")  # the first of the two S items
        dialog = self.wait_title(OBJECT_SELECT)
        # Focus starts on the number; its arrows come next. Up chooses the second object, the
        # Latin text; the position button is four steps on.
        self.x.key(dialog, "Tab", "Up", "Tab", "Tab", "Tab", "Tab", "space")
        position = self.wait_title(POSITION)
        self.x.wait_gone(dialog)
        # From the X field, the X arrows are three steps on.
        self.x.key(position, "Tab", "Tab", "Tab")
        for _ in range(10):
            self.x.key(position, "Up")
        self.x.key(position, "Escape")
        self.x.wait_gone(position)
        shifted = self.settled_view("shifted")
        before = self.bounds([p for p in self.text_pixels(reopened) if _orange(reopened.at(*p))])
        after = self.bounds([p for p in self.text_pixels(shifted) if _orange(shifted.at(*p))])
        check(after[0] > before[0] + 20 and after[2] > before[2] + 20,
              f"the second object did not move right: {before} -> {after}")

        self.step("antialiased preview")
        plain = self.settled_view("plain")
        self.x.key(self.main, "alt+v")
        time.sleep(0.3)
        self.x.run("xdotool", "key", "a")
        smooth = self.x.wait_until(lambda: self._changed_view("smooth", plain), what="preview")
        plain_colours, smooth_colours = len(set(plain.rgb())), len(set(smooth.rgb()))
        check(smooth_colours > plain_colours * 1.2,
              f"the preview did not soften the edges ({plain_colours} -> {smooth_colours} colours)")

        self.step("capture the whole view to BMP")
        self.capture_whole(os.path.join(self.work, "view.bmp"))

        self.step("capture a dragged region to JPEG")
        self.capture_region(os.path.join(self.work, "region.jpg"))

        if screenshot_out:
            left, top = self.main.x, self.main.y
            final.crop(left, top, self.main.width, self.main.height).save_ppm(self.work + "/final.ppm")
            self.x.run("convert", self.work + "/final.ppm", screenshot_out)

        self.step("close: the unsaved-changes question")
        self.close_with_question(scene_path)
        self.step("done")

    def pick_jpeg_filter(self):
        # The type follows the filter, not the name: the filter combo sits at the dialog's lower
        # right, above its buttons; JPEG is its second entry.
        dialog = self.wait_title(CAPTURE)
        shown = {window.id for window in self.x.windows()}
        self.x.click(dialog.x + dialog.width - 116, dialog.y + dialog.height - 70)
        self.x.wait_until(lambda: {window.id for window in self.x.windows()} - shown, what="filter list")
        self.x.run("xdotool", "key", "Down", "Return")
        time.sleep(0.3)

    def capture_whole(self, path, jpeg=False):
        self.x.key(self.main, "alt+c")
        time.sleep(0.3)
        self.x.run("xdotool", "key", "s")
        if jpeg:
            self.pick_jpeg_filter()
        self.choose_file(CAPTURE, path, save=True)
        if jpeg:
            return
        self.x.wait_until(lambda: os.path.exists(path) and os.path.getsize(path) > 0, what="BMP written")
        time.sleep(0.3)
        width, height = self.view[2], self.view[3]
        with open(path, "rb") as bmp:
            header = bmp.read(54)
        check(header[:2] == b"BM", "capture is not a BMP")
        bmp_width, bmp_height, planes, bits = struct.unpack("<iiHH", header[18:30])
        check((bmp_width, bmp_height, bits) == (width, height, 24),
              f"BMP is {bmp_width}x{bmp_height}x{bits}, view is {width}x{height}")
        row = (width * 3 + 3) & ~3
        check(os.path.getsize(path) == 54 + row * height, "BMP size does not match its rows")
        written = read_bmp(path)
        shown = self.view_picture("captured")
        difference = written.mean_difference(shown)
        check(difference < SAME_PICTURE, f"the BMP differs from the view on screen ({difference:.2f})")

    def capture_region(self, path):
        self.x.key(self.main, "alt+c")
        time.sleep(0.3)
        self.x.run("xdotool", "key", "r")
        left, top, width, height = self.view
        x0, y0 = left + width // 4, top + height // 4
        x1, y1 = left + 3 * width // 4, top + 3 * height // 4
        time.sleep(0.3)
        shown = self.x.screenshot("region").crop(x0, y0, x1 - x0, y1 - y0)
        # Quick, as users drag: the last moves may reach the program only as the release.
        self.x.drag(x0, y0, x1, y1)
        self.pick_jpeg_filter()
        self.choose_file(CAPTURE, path, save=True)
        self.x.wait_until(lambda: os.path.exists(path) and os.path.getsize(path) > 0, what="JPEG written")
        time.sleep(0.3)
        with open(path, "rb") as jpeg:
            data = jpeg.read()
        check(data[:3] == b"\xff\xd8\xff" and data[-2:] == b"\xff\xd9", "capture is not a JPEG")
        size = subprocess.run(["identify", "-format", "%w %h", path], check=True, capture_output=True,
                              text=True).stdout.split()
        check((int(size[0]), int(size[1])) == (x1 - x0, y1 - y0),
              f"JPEG is {size}, the dragged region {x1 - x0}x{y1 - y0}")
        decoded = os.path.join(self.work, "region.ppm")
        subprocess.run(["convert", path, "ppm:" + decoded], check=True)
        difference = read_ppm(decoded).mean_difference(shown)
        check(difference < JPEG_DRIFT, f"the JPEG differs from the region on screen ({difference:.2f})")

    def close_with_question(self, scene_path):
        """The object moved after opening is the unsaved change: Cancel keeps the program and the
        edit; Yes saves it through the Save As dialog and ends."""
        for answer in ("Escape", "alt+y"):
            self.x.key(self.main, "alt+f")
            time.sleep(0.3)
            self.x.run("xdotool", "key", "x")
            question = self.wait_title(TITLE_PREFIX)
            self.x.key(question, answer)
            self.x.wait_gone(question)
            if answer == "Escape":
                check(self.process.poll() is None, "cancelling the question ended the program")
                self.main_title()
        on_close = scene_path.replace(".vmk", "-終了時.vmk")
        self.choose_file(SAVE_SCENE, on_close, save=True)
        self.x.wait_until(lambda: self.process.poll() is not None, what="the program's end")
        check(self.process.returncode == 0, f"the program ended with {self.process.returncode}")
        with open(scene_path, "rb") as opened, open(on_close, "rb") as saved:
            before, after = opened.read(), saved.read()
        check(len(after) == len(before) and after != before, "the moved object was not saved")

def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("program")
    parser.add_argument("--keep", help="folder for the files and screenshots (kept afterwards)")
    parser.add_argument("--screenshot", help="write the composed scene's window here (PNG)")
    args = parser.parse_args()

    work = args.keep or tempfile.mkdtemp(prefix="vm-e2e-")
    os.makedirs(work, exist_ok=True)
    walk = Walkthrough(os.path.abspath(args.program), work, log=lambda text: print(text, flush=True))
    try:
        walk.run(args.screenshot)
    except (Failure, TimeoutError) as error:
        walk.x.screenshot("at-failure")
        shots = os.path.join(work, "screenshots")
        shutil.copytree(walk.x.shot_dir, shots, dirs_exist_ok=True)
        ended = walk.process.poll()
        if ended is not None:
            print(f"the program had ended with {ended}", flush=True)
        print(f"FAILED: {error}\nscreenshots in {shots}", flush=True)
        return 1
    finally:
        walk.close()
    if args.keep:
        shutil.copytree(walk.x.shot_dir, os.path.join(work, "screenshots"), dirs_exist_ok=True)
    else:
        shutil.rmtree(work, ignore_errors=True)
    shutil.rmtree(walk.x.shot_dir, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
