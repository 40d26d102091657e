#!/usr/bin/env python3
"""The cross-built Windows program under Wine on a private X server: its unit tests, the main
window with its caption, a scene from the command line opened and its Japanese text drawn through
Wine's OpenGL, a command-line render to BMP that matches the Linux program's picture of the
same scene, an animated WebP read back by webpmux, and the installer: a silent install into a
fresh prefix, the scene opened through the registered file type, and a clean uninstall. Wine has
no Windows Japanese faces, so the Wine prefix maps them to the IPA fonts.

Wine 8 draws a GL child window offscreen and, on this X server, never shows the result on screen,
so the view's pixels are read the way the program itself reads them: a whole-view capture (Ctrl+B),
which reads back the frame just drawn in the view's own GL context.

usage: wine_run.py WINDOWS_BUILD [LINUX_PROGRAM]"""

import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "e2e"))
sys.path.insert(0, os.path.join(HERE, "..", "data"))
from make_fuzz_seeds import scene_header, scene_record  # noqa: E402
from x11_driver import XSession  # noqa: E402

TITLE_PREFIX = "Vellumarkライター\u3000version 5.00  "
CAPTURE_DIALOG_TITLE = "現在のシーンを保存(名前を付けて保存)"
NEW_SCENE_TITLE = TITLE_PREFIX + "[新規作成]"
SETUP_TITLE = "Vellumark セットアップ"
ANIMATION_REFUSED = "Windows版で書き出せるアニメーションは .webp だけです"
SCENE_TYPE_KEY = "HKCU\\Software\\Classes\\Vellumark.Scene"
EXTENSION_KEY = "HKCU\\Software\\Classes\\.vmk"
UNINSTALL_KEY = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vellumark"
# The faces the scenes name, and what stands in for them here (the Linux program's choice too).
SUBSTITUTES = {"ＭＳ 明朝": "IPAexMincho", "ＭＳ Ｐ明朝": "IPAPMincho",
               "ＭＳ ゴシック": "IPAexGothic", "ＭＳ Ｐゴシック": "IPAPGothic",
               "MS Mincho": "IPAexMincho", "MS Gothic": "IPAexGothic"}
FAILURES = []


def check(condition, message):
    if not condition:
        FAILURES.append(message)
        print("FAIL:", message, flush=True)


def log(text):
    print(text, flush=True)


class Wine:
    """A Wine prefix of the build's own, on the session's X server."""

    def __init__(self, prefix, x_env):
        self.env = dict(x_env, WINEPREFIX=prefix, WINEDEBUG="-all", WINEARCH="win64",
                        # No downloads of Mono or Gecko: the program needs neither.
                        WINEDLLOVERRIDES="mscoree,mshtml=")
        fresh = not os.path.isdir(prefix)
        started = time.monotonic()
        subprocess.run(["wine", "wineboot", "--init"], env=self.env, check=True,
                       capture_output=True, timeout=300)
        self.run_wait_server()
        if fresh:
            log(f"new Wine prefix in {time.monotonic() - started:.0f} s")
        self.register_substitutes()

    def run_wait_server(self):
        subprocess.run(["wineserver", "-w"], env=self.env, timeout=300)

    def register_substitutes(self):
        lines = ["Windows Registry Editor Version 5.00", "",
                 "[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]"]
        lines += [f'"{face}"="{real}"' for face, real in SUBSTITUTES.items()]
        with tempfile.NamedTemporaryFile("wb", suffix=".reg", delete=False) as reg:
            reg.write(("\r\n".join(lines) + "\r\n").encode("utf-16"))
        try:
            subprocess.run(["wine", "regedit", "/S", self.windows_path(reg.name)], env=self.env,
                           check=True, capture_output=True, timeout=120)
            self.run_wait_server()
        finally:
            os.unlink(reg.name)

    def windows_path(self, path):
        return subprocess.run(["winepath", "-w", path], env=self.env, check=True,
                              capture_output=True, text=True).stdout.strip()

    def unix_path(self, path):
        return subprocess.run(["winepath", "-u", path], env=self.env, check=True,
                              capture_output=True, text=True).stdout.strip()

    def folder(self, variable):
        """The Unix path of a folder the Windows environment names (LOCALAPPDATA, APPDATA)."""
        echoed = self.run("cmd", "/c", f"echo %{variable}%", timeout=120)
        return self.unix_path(echoed.stdout.decode("utf-8", "replace").strip())

    def registry_value(self, key, name=None):
        """A value as `reg query` prints it, or None where the key or value is missing."""
        which = ["/v", name] if name else ["/ve"]
        result = self.run("reg", "query", key, *which, timeout=120)
        found = re.search(rb"REG_\w+\s+(.*?)\r?$", result.stdout, re.M)
        return found.group(1).decode() if result.returncode == 0 and found else None

    def registry_export(self, key):
        """The key and its subkeys as regedit text; reg query would print Japanese as ?."""
        with tempfile.TemporaryDirectory() as folder:
            exported = os.path.join(folder, "key.reg")
            result = self.run("reg", "export", key, self.windows_path(exported), "/y", timeout=120)
            if result.returncode != 0:
                return ""
            with open(exported, "rb") as f:
                return f.read().decode("utf-16")

    def run(self, *arguments, timeout=600):
        return subprocess.run(["wine", *arguments], env=self.env, capture_output=True,
                              timeout=timeout)

    def start(self, *arguments):
        return subprocess.Popen(["wine", *arguments], env=self.env, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)

    def stop(self):
        subprocess.run(["wineserver", "-k"], env=self.env, timeout=60)


def read_bmp(path):
    """(width, height, rows of (r, g, b) from the top) of a 24-bit BMP, or None."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:2] != b"BM" or len(data) < 54:
        return None
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    if bits != 24:
        return None
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(abs(height)):
        start = offset + (abs(height) - 1 - y if height > 0 else y) * stride
        row = data[start:start + width * 3]
        rows.append([(row[i + 2], row[i + 1], row[i]) for i in range(0, len(row), 3)])
    return width, abs(height), rows


def text_coloured(pixels):
    """Pixels of the test scene's yellow text, lit or in shade."""
    return [p for p in pixels if p[0] > 90 and p[1] > 90 and p[2] < 90 and abs(p[0] - p[1]) < 40]


def japanese_scene(path):
    """One object, the katakana ロゴ in ＭＳ 明朝 (CP932 bytes, as the file keeps them)."""
    with open(path, "wb") as out:
        out.write(scene_header() + scene_record("ロゴ".encode("cp932")))


def unit_tests(wine, build):
    started = time.monotonic()
    result = wine.run(os.path.join(build, "unit_tests.exe"), "--gtest_brief=1")
    tail = result.stdout.decode("utf-8", "replace").strip().splitlines()[-3:]
    log(f"unit tests under Wine: exit {result.returncode} in {time.monotonic() - started:.0f} s: "
        + " | ".join(tail))
    check(result.returncode == 0, "the unit tests failed under Wine")


def command_line_render(wine, dist, scene, work, linux_program):
    bmp = os.path.join(work, "logo.bmp")
    result = wine.run(os.path.join(dist, "vellumark.exe"), "-o", wine.windows_path(bmp),
                      "--size", "320x240", wine.windows_path(scene))
    check(result.returncode == 0,
          f"command-line render: exit {result.returncode} {result.stderr.decode('utf-8', 'replace')[-400:]}")
    picture = read_bmp(bmp) if os.path.exists(bmp) else None
    check(picture is not None and picture[:2] == (320, 240), "no 320 x 240 24-bit BMP written")
    if picture is None:
        return
    pixels = [p for row in picture[2] for p in row]
    drawn = text_coloured(pixels)
    check(len(drawn) > 1000, f"the render shows almost no text ({len(drawn)} pixels)")
    if linux_program:
        reference = os.path.join(work, "linux.bmp")
        subprocess.run([linux_program, "-o", reference, "--size", "320x240", scene], check=True,
                       capture_output=True, timeout=120)
        expected = [p for row in read_bmp(reference)[2] for p in row]
        difference = sum(abs(a - b) for p, q in zip(pixels, expected) for a, b in zip(p, q))
        mean = difference / (len(pixels) * 3)
        log(f"Windows render against Linux render: mean channel difference {mean:.2f}")
        check(mean < 4, f"the Windows render differs from the Linux one (mean {mean:.2f})")


def model_export(wine, dist, scene, work):
    """An OBJ written through a Windows path names its material file beside it by name alone."""
    obj = os.path.join(work, "logo.obj")
    result = wine.run(os.path.join(dist, "vellumark.exe"), "-o", wine.windows_path(obj),
                      wine.windows_path(scene))
    check(result.returncode == 0, f"OBJ export: exit {result.returncode}")
    if result.returncode == 0:
        with open(obj, encoding="utf-8") as f:
            references = [line.split(None, 1)[1].strip() for line in f if line.startswith("mtllib")]
        check(references == ["logo.mtl"], f"the OBJ names its materials as {references}")
        check(os.path.exists(os.path.join(work, "logo.mtl")), "no material file beside the OBJ")


def animation_export(wine, dist, scene, work):
    """An animated WebP, read back by webpmux; the types written through FFmpeg on Linux are
    refused with the message that says so, and leave no file."""
    program = os.path.join(dist, "vellumark.exe")
    webp = os.path.join(work, "turn.webp")
    result = wine.run(program, "-o", wine.windows_path(webp), "--animate", "turntable",
                      "--seconds", "0.5", "--fps", "10", "--size", "160x120", "--transparent",
                      wine.windows_path(scene))
    check(result.returncode == 0, f"animated WebP: exit {result.returncode} "
          f"{result.stderr.decode('utf-8', 'replace')[-400:]}")
    info = subprocess.run(["webpmux", "-info", webp], capture_output=True, text=True).stdout
    log("animated WebP: " + " | ".join(info.strip().splitlines()[:5]))
    check("Canvas size: 160 x 120" in info and "animation" in info and "transparency" in info
          and re.search(r"Number of frames: 5\b", info),
          f"the animated WebP is not five 160 x 120 transparent frames: {info[:300]}")

    gif = os.path.join(work, "turn.gif")
    result = wine.run(program, "-o", wine.windows_path(gif), "--animate", "turntable",
                      wine.windows_path(scene))
    check(result.returncode == 1 and ANIMATION_REFUSED in result.stderr.decode("utf-8", "replace")
          and not os.path.exists(gif), f"a GIF animation was not refused: exit {result.returncode}")


def wait_scene_caption(x, scene):
    name = os.path.basename(scene)
    return x.wait_window(lambda t: t.startswith(TITLE_PREFIX) and name in t, timeout=120,
                         what="caption naming the scene")


def window_run(wine, x, dist, scene, work):
    program = os.path.join(dist, "vellumark.exe")
    process = wine.start(program)
    try:
        x.wait_window(lambda t: t == NEW_SCENE_TITLE, timeout=120, what="main window")
        log("main window shown with its caption")
    except TimeoutError as error:
        check(False, str(error))
    finally:
        process.terminate()
        wine.stop()

    process = wine.start(program, wine.windows_path(scene))
    try:
        main = wait_scene_caption(x, scene)
        log(f"scene opened: {main.title}")
        capture = os.path.join(work, "view.bmp")
        x.key(main, "ctrl+b")
        dialog = x.wait_window(lambda t: t == CAPTURE_DIALOG_TITLE, timeout=60,
                               what="capture dialog")
        x.type(dialog, wine.windows_path(capture))
        x.key(dialog, "Return")
        # Written beside and renamed into place: once there, it is complete.
        x.wait_until(lambda: os.path.exists(capture), timeout=120, what="the view's capture")
        picture = read_bmp(capture)
        check(picture is not None, "the view's capture is not a 24-bit BMP")
        if picture:
            drawn = text_coloured(p for row in picture[2] for p in row)
            log(f"view {picture[0]} x {picture[1]}: {len(drawn)} pixels of the text's colour")
            check(len(drawn) > 1000, "the scene's Japanese text is not drawn in the view")
    except TimeoutError as error:
        check(False, str(error))
    finally:
        process.terminate()
        wine.stop()


def files_under(folder):
    return sorted(os.path.relpath(os.path.join(root, name), folder)
                  for root, _, names in os.walk(folder) for name in names)


def installer_run(x, build, scene):
    """The installer in a fresh prefix: its Japanese window, then a silent install: the program's
    files, the Start menu link, the scene-file type and the uninstall entry; the scene opened by
    the registered command; then the registered uninstaller, after which nothing of ours is left."""
    prefix = os.path.abspath(os.path.join(build, "wineprefix-install"))
    shutil.rmtree(prefix, ignore_errors=True)
    wine = Wine(prefix, x.env)
    setup = os.path.join(build, "vellumark-setup-x64.exe")
    process = wine.start(setup)
    try:
        x.wait_window(lambda t: t.startswith(SETUP_TITLE), timeout=120,
                      what="the installer's window")
    except TimeoutError as error:
        check(False, str(error))
    finally:
        process.terminate()
        wine.stop()
    result = wine.run(setup, "/S")
    wine.run_wait_server()
    check(result.returncode == 0, f"silent install: exit {result.returncode}")

    installed = os.path.join(wine.folder("LOCALAPPDATA"), "Programs", "Vellumark")
    shortcut = os.path.join(wine.folder("APPDATA"), "Microsoft", "Windows", "Start Menu",
                            "Programs", "Vellumark.lnk")
    expected = files_under(os.path.join(build, "dist")) + ["uninstall.exe"]
    check(files_under(installed) == sorted(expected),
          f"installed files differ from the folder's: {files_under(installed)[:8]}")
    link = open(shortcut, "rb").read() if os.path.exists(shortcut) else b""
    check(b"vellumark.exe" in link.lower().replace(b"\0", b""), "no Start menu link to the program")

    program = wine.windows_path(os.path.join(installed, "vellumark.exe"))
    scene_type = wine.registry_export(SCENE_TYPE_KEY)
    check(wine.registry_value(EXTENSION_KEY) == "Vellumark.Scene", ".vmk is not registered")
    check(re.search(r'\\shell\\open\]\r?\n@="開く"', scene_type), "no 開く verb for .vmk files")
    check(wine.registry_value(SCENE_TYPE_KEY + "\\DefaultIcon") == f'"{program}",0',
          "the scene files' icon is not the program's")
    command = wine.registry_value(SCENE_TYPE_KEY + "\\shell\\open\\command") or ""
    parts = re.findall(r'"([^"]*)"', command)
    check(parts == [program, "%1"], f"the registered command is {command!r}")
    uninstaller = wine.registry_value(UNINSTALL_KEY, "UninstallString") or ""
    check(wine.registry_value(UNINSTALL_KEY, "DisplayName") == "Vellumark" and
          uninstaller.strip('"').lower().endswith("\\uninstall.exe"), "no uninstall entry")

    if parts == [program, "%1"]:
        process = wine.start(parts[0], wine.windows_path(scene))
        try:
            log(f"opened by the registered command: {wait_scene_caption(x, scene).title}")
        except TimeoutError as error:
            check(False, str(error))
        finally:
            process.terminate()
            wine.stop()

    # The uninstaller copies itself away to delete its own file; the server outlives the copy.
    wine.run(uninstaller.strip('"'), "/S")
    wine.run_wait_server()
    left = [path for path in files_under(os.path.join(prefix, "drive_c"))
            if "vellumark" in path.lower()]
    check(not left, f"left after uninstalling: {left[:5]}")
    for key in (SCENE_TYPE_KEY, EXTENSION_KEY, UNINSTALL_KEY):
        check(wine.run("reg", "query", key, timeout=120).returncode != 0,
              f"{key} is left after uninstalling")
    log(f"installed, opened and uninstalled; {len(expected)} files")


def main():
    build = sys.argv[1]
    linux_program = sys.argv[2] if len(sys.argv) > 2 else None
    dist = os.path.join(build, "dist")
    x = XSession()
    work = tempfile.mkdtemp(prefix="vm-wine-")
    try:
        wine = Wine(os.path.abspath(os.path.join(build, "wineprefix")), x.env)
        scene = os.path.join(work, "ロゴ.vmk")
        japanese_scene(scene)
        unit_tests(wine, build)
        command_line_render(wine, dist, scene, work, linux_program)
        model_export(wine, dist, scene, work)
        animation_export(wine, dist, scene, work)
        window_run(wine, x, dist, scene, work)
        installer_run(x, build, scene)
    finally:
        x.close()
        shutil.rmtree(work, ignore_errors=True)
    print("FAILED: " + "; ".join(FAILURES) if FAILURES else "all Windows checks passed")
    return 1 if FAILURES else 0


if __name__ == "__main__":
    sys.exit(main())
