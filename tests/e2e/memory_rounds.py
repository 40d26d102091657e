#!/usr/bin/env python3
"""Deletes an object of the real program and undoes the deletion, round after round, with the
mouse and the keyboard, and checks that the program's resident memory stays flat.

usage: memory_rounds.py PROGRAM SCENE_FILE [ROUNDS]"""

import os
import shutil
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from walkthrough import TITLE_PREFIX, Failure, Walkthrough, check  # noqa: E402

DELETE_QUESTION = "削除の確認"
# Resident memory may grow this much over the measured rounds (kilobytes).
ALLOWED_GROWTH = 5 * 1024


def resident_kilobytes(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    raise Failure("the program has no resident size")


def delete_and_undo(walk, point, drawn=None):
    walk.open_object_menu(point)
    # Two items of the object menu share the mnemonic D; deleting the object is the second item.
    walk.x.run("xdotool", "key", "--delay", "0", "Down", "Down", "Return")
    question = walk.wait_title(DELETE_QUESTION)
    walk.x.key(question, "alt+y", gap=0)
    walk.x.wait_gone(question)
    if drawn is not None:
        shown = len(walk.text_pixels(walk.settled_view("deleted")))
        check(shown < drawn, f"the deletion left {shown} of {drawn} text pixels")
    walk.x.key(walk.main, "ctrl+z", gap=0)
    if drawn is not None:
        shown = len(walk.text_pixels(walk.settled_view("undone")))
        check(shown == drawn, f"the undone deletion shows {shown} of {drawn} text pixels")


def main():
    program, scene = sys.argv[1], sys.argv[2]
    rounds = int(sys.argv[3]) if len(sys.argv) > 3 else 300
    work = tempfile.mkdtemp(prefix="vm-memory-")
    # A round takes less than the toolkit's double-click time, and a right press it takes for the
    # second of a double click opens no menu.
    walk = Walkthrough(os.path.abspath(program), work, log=lambda text: print(text, flush=True),
                       args=[os.path.abspath(scene)], toolkit_settings={"gtk-double-click-time": 0})
    try:
        walk.main = walk.x.wait_window(lambda t: t.startswith(TITLE_PREFIX + "["), timeout=120.0,
                                      what="main window")
        walk.view = walk.find_view()
        walk.background = (255, 255, 255)
        opened = walk.settled_view("opened")
        point = walk.solid_point(opened)
        delete_and_undo(walk, point, len(walk.text_pixels(opened)))
        # The first rounds fill the allocators' pools and the toolkit's caches.
        for _ in range(20):
            delete_and_undo(walk, point)
        before = resident_kilobytes(walk.process.pid)
        for done in range(1, rounds + 1):
            delete_and_undo(walk, point)
            if done % 25 == 0:
                walk.step(f"{done} rounds: {resident_kilobytes(walk.process.pid) - before:+d} KB")
        time.sleep(1)
        growth = resident_kilobytes(walk.process.pid) - before
        walk.step(f"resident size grew {growth} KB over {rounds} rounds")
        check(growth < ALLOWED_GROWTH, f"{growth} KB more after {rounds} rounds of delete and undo")
        # Each round must have undone its deletion, or it measured something else.
        check(walk.settled_view("after the rounds").pixels == opened.pixels,
              "the scene after the rounds differs from the scene opened")
    except (Failure, TimeoutError) as error:
        print(f"FAILED: {error}", flush=True)
        return 1
    finally:
        walk.close()
        shutil.rmtree(work, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
