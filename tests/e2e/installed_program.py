#!/usr/bin/env python3
"""Installs the build into a fresh prefix and checks that the installed program runs, finds its
help book and its JPEG plug-in, and that the desktop files are in place.

usage: installed_program.py BUILD_DIR"""

import configparser
import os
import shutil
import subprocess
import sys
import tempfile
import time
import xml.etree.ElementTree as ElementTree

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from walkthrough import TITLE_PREFIX, Failure, Walkthrough, check  # noqa: E402

INSTALLED_FILES = [
    "bin/vellumark",
    "lib/vellumark/libSaveJPG.so",
    "share/vellumark/help/vellumark.hhp",
    "share/vellumark/help/index.html",
    "share/applications/vellumark.desktop",
    "share/icons/hicolor/32x32/apps/vellumark.png",
    "share/mime/packages/vellumark.xml",
]
# The help viewer names the book and the page it shows: the book opens at its first page.
HELP_TITLE = "Vellumarkライター ヘルプ - はじめに"
MIME_NS = "{http://www.freedesktop.org/standards/shared-mime-info}"


def check_files(prefix):
    for name in INSTALLED_FILES:
        check(os.path.isfile(os.path.join(prefix, name)), f"not installed: {name}")
    check(os.access(os.path.join(prefix, "bin/vellumark"), os.X_OK), "the program is not executable")

    entry = configparser.ConfigParser(interpolation=None)
    entry.optionxform = str
    entry.read(os.path.join(prefix, "share/applications/vellumark.desktop"), encoding="utf-8")
    desktop = entry["Desktop Entry"]
    check(desktop["Exec"].split() == ["vellumark", "%f"] and desktop["Icon"] == "vellumark",
          "the desktop entry does not start the program on the file with its icon")

    mime = ElementTree.parse(os.path.join(prefix, "share/mime/packages/vellumark.xml")).getroot()
    types = mime.findall(MIME_NS + "mime-type")
    check(len(types) == 1, "the MIME file should describe one type")
    check(types[0].get("type") in desktop["MimeType"], "the desktop entry does not take the scene type")
    globs = [glob.get("pattern") for glob in types[0].findall(MIME_NS + "glob")]
    check(globs == ["*.vmk"], f"scene files are not matched by name: {globs}")

    with open(os.path.join(prefix, "share/icons/hicolor/32x32/apps/vellumark.png"), "rb") as icon:
        check(icon.read(8) == b"\x89PNG\r\n\x1a\n", "the icon is not a PNG")


def check_program(program, work):
    walk = Walkthrough(program, work, log=lambda text: print(text, flush=True))
    try:
        walk.wait_started()

        walk.step("F1 opens the installed help book")
        walk.x.key(walk.main, "F1")
        help_window = walk.x.wait_window(lambda t: t in (HELP_TITLE, TITLE_PREFIX), what="help")
        check(help_window.title == HELP_TITLE, "the help book was not found")
        # Without a window manager the viewer cannot be closed; it stays aside.

        walk.step("a JPEG capture goes through the installed plug-in")
        path = os.path.join(work, "view.jpg")
        walk.capture_whole(path, jpeg=True)
        walk.x.wait_until(lambda: os.path.exists(path) and os.path.getsize(path) > 0, what="JPEG written")
        time.sleep(0.3)
        with open(path, "rb") as jpeg:
            check(jpeg.read(3) == b"\xff\xd8\xff", "the capture is not a JPEG")

        walk.step("close")
        walk.x.key(walk.main, "alt+f")
        time.sleep(0.3)
        walk.x.run("xdotool", "key", "x")
        walk.process.wait(timeout=20)
        check(walk.process.returncode == 0, f"the program ended with {walk.process.returncode}")
    finally:
        walk.close()


def check_command_line(program, work):
    """--help and --version answer without a display; a scene named on the command line opens at
    start, an unknown option notwithstanding."""
    no_display = {name: value for name, value in os.environ.items() if name != "DISPLAY"}
    for option in ("--help", "--version"):
        done = subprocess.run([program, option], env=no_display, capture_output=True, timeout=60)
        check(done.returncode == 0, f"{option} ended with {done.returncode}")
        check(b"vellumark" in done.stdout.lower(), f"{option} printed nothing useful: {done.stdout!r}")

    scene = os.path.join(work, "起動時 scene.vmk")
    with open(scene, "wb") as out:  # an empty scene: the header alone
        out.write(b"1.00".ljust(10, b"\0") + b"vellumark".ljust(10, b"\0") + bytes(112))
    walk = Walkthrough(program, work, log=lambda text: print(text, flush=True),
                       args=["--bogus", scene])
    try:
        walk.step("a scene named on the command line opens at start")
        walk.wait_title(TITLE_PREFIX + "[" + scene + "]")
        check(walk.process.poll() is None, "the program ended")
    finally:
        walk.close()


def main():
    build = sys.argv[1]
    work = tempfile.mkdtemp(prefix="vm-install-")
    prefix = os.path.join(work, "prefix")
    try:
        subprocess.run(["cmake", "--install", build, "--prefix", prefix], check=True,
                       stdout=subprocess.DEVNULL)
        check_files(prefix)
        check_program(os.path.join(prefix, "bin/vellumark"), work)
        check_command_line(os.path.join(prefix, "bin/vellumark"), work)
    except (Failure, TimeoutError) as error:
        print(f"FAILED: {error}", flush=True)
        return 1
    finally:
        shutil.rmtree(work, ignore_errors=True)
    print("installed program works", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
