#!/usr/bin/env python3
"""Runs `vellumark -o` against the files around it and judges only from outside (exit status,
standard error, what the folder holds afterwards): a disk that fills up, the scene named as its
own output, outputs that are no regular files, OBJ exports with their companions, two runs
writing one file at once, interrupted runs, a JPEG writer planted in the current folder,
textures beside the scene, a damaged extension block, and --help among the picture options.

usage: command_line_files.py PROGRAM JPEG_PLUGIN"""

import os
import re
import resource
import shutil
import signal
import stat
import struct
import subprocess
import sys
import tempfile
import time
import unicodedata

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data"))
from make_fuzz_seeds import bmp, scene_header, scene_record  # noqa: E402

FAILURES = []


def check(condition, message):
    if not condition:
        FAILURES.append(message)
        print("FAIL:", message)


def environment(**extra):
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
    env.update(extra)
    return env


def run(program, *arguments, cwd=None, limit=None, env=None):
    def full_disk():
        # Writes beyond the limit fail as on a full disk instead of ending the process.
        signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
        resource.setrlimit(resource.RLIMIT_FSIZE, (limit, resource.RLIM_INFINITY))
    return subprocess.run([program, *arguments], env=env or environment(), cwd=cwd,
                          capture_output=True, text=True, timeout=240,
                          preexec_fn=full_disk if limit else None)


def write(path, data):
    with open(path, "wb") as out:
        out.write(data)


def read(path):
    with open(path, "rb") as source:
        return source.read()


def temporaries(folder):
    return [name for name in os.listdir(folder) if "-save-" in name]


def blue_pixels(path):
    """Pixels of a 24-bit BMP whose blue stands well above red and green."""
    data = read(path)
    offset, width, height = struct.unpack_from("<I", data, 10)[0], *struct.unpack_from("<ii", data, 18)
    row = (width * 3 + 3) // 4 * 4
    count = 0
    for y in range(abs(height)):
        for x in range(width):
            b, g, r = data[offset + y * row + x * 3:offset + y * row + x * 3 + 3]
            count += b > r + 80 and b > g + 80
    return count


def display_column(text):
    return sum(2 if unicodedata.east_asian_width(c) in "WF" else 1 for c in text)


def check_messages(program, scene, work):
    for option in ("--help", "--version"):
        result = run(program, "-o", os.path.join(work, "h.png"), option, scene)
        check(result.returncode == 0 and result.stdout.strip(), f"-o ... {option}: {result}")
    # A usage error prints the picture options' usage alone.
    usage = run(program, "-o", os.path.join(work, "h.png"), "--bogus", scene).stderr
    check("--progressive|--baseline" in usage, "the usage lacks the JPEG options")
    for line in usage.splitlines():
        if not line.startswith("  -"):
            continue
        described = re.match(r"^(.*?\S {2,})\S", line)
        if described:
            check(display_column(described[1]) == 26, f"description out of its column: {line!r}")
        else:
            # Without a description beside it, a line holds the option and its value alone.
            check(len(line.split()) <= 2, f"option and description run together: {line!r}")


def check_full_disk(program, scene, work):
    # A 32-object scene does not fit in 4 KiB in any type.
    for name in ("x.3mf", "x.glb", "x.stl", "x.obj", "x.png", "x.bmp"):
        path = os.path.join(work, name)
        write(path, b"old")
        result = run(program, "-o", path, scene, limit=4096)
        check(result.returncode == 1 and path in result.stderr,
              f"{name} on a full disk: exit {result.returncode} {result.stderr!r}")
        check(read(path) == b"old", f"{name}: the old file was not kept")
        check(not temporaries(work), f"{name}: temporaries left: {temporaries(work)}")
        os.remove(path)
    check(not [n for n in os.listdir(work) if n.startswith("x")], "a failed OBJ left companions")


def check_own_input_and_special_outputs(program, scene, work):
    own = os.path.join(work, "own.vmk")
    shutil.copy(scene, own)
    os.symlink("own.vmk", os.path.join(work, "own.png"))
    for output in (own, os.path.join(work, "own.png")):
        result = run(program, "-o", output, own)
        check(result.returncode == 2, f"-o {output} {own}: exit {result.returncode}, not 2")
    check(read(own) == read(scene), "the scene was overwritten by its own output")

    fifo = os.path.join(work, "pipe.png")
    os.mkfifo(fifo)
    device = os.path.join(work, "null.bmp")
    os.symlink("/dev/null", device)
    for output in (fifo, device):
        result = run(program, "-o", output, scene)
        check(result.returncode == 1 and output in result.stderr,
              f"{output}: exit {result.returncode} {result.stderr!r}")
    check(stat.S_ISFIFO(os.stat(fifo).st_mode), "the FIFO was replaced")
    check(stat.S_ISCHR(os.stat("/dev/null").st_mode) and os.path.islink(device),
          "the link to the device was replaced")


def check_concurrent_and_interrupted(program, scene, work):
    output = os.path.join(work, "same.png")
    for _ in range(3):
        runs = [subprocess.Popen([program, "-o", output, "--size", "1200x900", "--antialias", "2",
                                  scene], env=environment(), stderr=subprocess.PIPE, text=True)
                for _ in range(4)]
        for process in runs:
            _, err = process.communicate(timeout=240)
            check(process.returncode == 0, f"a run beside others failed: {err!r}")
    check(read(output)[:8] == b"\x89PNG\r\n\x1a\n" and not temporaries(work), "concurrent runs")

    for sent in (signal.SIGINT, signal.SIGTERM):
        process = subprocess.Popen([program, "-o", os.path.join(work, "big.png"), "--size",
                                    "8000x8000", "--antialias", "8", scene], env=environment())
        deadline = time.time() + 60
        while not temporaries(work) and time.time() < deadline and process.poll() is None:
            time.sleep(0.05)
        check(temporaries(work), "no temporary appeared to interrupt")
        process.send_signal(sent)
        process.wait(timeout=60)
        check(process.returncode == -sent, f"{sent.name}: ended {process.returncode}")
        check(not temporaries(work) and not os.path.exists(os.path.join(work, "big.png")),
              f"{sent.name} left {os.listdir(work)}")


def check_obj_companions(program, textured, work):
    blocked = os.path.join(work, "blocked.obj")
    os.mkdir(blocked)
    write(os.path.join(work, "blocked.mtl"), b"keep")
    result = run(program, "-o", blocked, textured)
    check(result.returncode == 1, f"OBJ over a folder: exit {result.returncode}")
    check(read(os.path.join(work, "blocked.mtl")) == b"keep", "the old MTL was replaced")
    check(not os.path.exists(os.path.join(work, "blocked-0.png")), "a texture was written")
    check(not temporaries(work), f"temporaries left: {temporaries(work)}")


def check_textures_beside_the_scene(program, work):
    folder = os.path.join(work, "scenes")
    elsewhere = os.path.join(work, "elsewhere")
    os.makedirs(folder)
    os.makedirs(elsewhere)
    write(os.path.join(folder, "blue.bmp"), bmp(8, 8, 24, bytes((255, 0, 0)) * 64))
    scene = os.path.join(folder, "s.vmk")
    write(scene, scene_header() + scene_record(b"WW", b"blue.bmp"))
    picture = os.path.join(elsewhere, "p.bmp")
    result = run(program, "-o", picture, "--antialias", "off", "--size", "200x150",
                 os.path.relpath(scene, elsewhere), cwd=elsewhere)
    check(result.returncode == 0 and result.stderr == "", f"textured picture: {result.stderr!r}")
    check(blue_pixels(picture) > 500, "the texture beside the scene was not used")
    result = run(program, "-o", "m.obj", scene, cwd=elsewhere)
    check(result.returncode == 0 and os.path.exists(os.path.join(elsewhere, "m-0.png")),
          f"the model export missed the texture: {result.stderr!r}")

    gone = os.path.join(folder, "gone.vmk")
    write(gone, scene_header() + scene_record(b"WW", b"gone.bmp"))
    model = run(program, "-o", "n.glb", gone, cwd=elsewhere)
    picture = run(program, "-o", "n.png", "--size", "40x30", gone, cwd=elsewhere)
    check(model.returncode == 0 and model.stderr and model.stderr == picture.stderr,
          f"the model export does not report the texture as pictures do: {model.stderr!r}")
    return scene


def check_extension_blocks(program, work):
    records = scene_header() + scene_record(b"A")
    for tail, reported in ((b"VMKX\x01\x00" + b"\x00" * 14, True), (b"VMKB\x09", True),
                           (b"JUNK" + b"\x00" * 12, False)):
        scene = os.path.join(work, "tail.vmk")
        write(scene, records + tail)
        result = run(program, "-o", os.path.join(work, "tail.stl"), scene)
        lines = [line for line in result.stderr.splitlines() if scene in line]
        check(result.returncode == 0 and len(lines) == (1 if reported else 0),
              f"{tail[:4]}: exit {result.returncode}, {result.stderr!r}")


def check_planted_jpeg_writer(program, plugin, work):
    bin_folder = os.path.join(work, "bin")
    current = os.path.join(work, "current")
    os.makedirs(bin_folder)
    os.makedirs(current)
    lonely = shutil.copy(program, bin_folder)
    shutil.copy(plugin, os.path.join(current, "libSaveJPG.so"))
    scene = os.path.join(current, "s.vmk")
    write(scene, scene_header() + scene_record(b"J"))
    result = run(lonely, "-o", "x.jpg", "s.vmk", cwd=current,
                 env=environment(LD_LIBRARY_PATH=":/nonexistent"))
    check(result.returncode == 1 and not os.path.exists(os.path.join(current, "x.jpg")),
          f"a writer from the current folder ran: exit {result.returncode}")
    check(re.search(r"libSaveJPG\.so.*[^。]: x\.jpg$", result.stderr.strip()),
          f"the missing writer's message: {result.stderr!r}")


def main():
    program, plugin = (os.path.abspath(path) for path in sys.argv[1:3])
    with tempfile.TemporaryDirectory() as work:
        scene = os.path.join(work, "many.vmk")
        write(scene, scene_header() + b"".join(scene_record(bytes([65 + k % 26]) * 3)
                                               for k in range(32)))
        for name, step in (("messages", check_messages), ("full disk", check_full_disk),
                           ("outputs", check_own_input_and_special_outputs),
                           ("concurrent", check_concurrent_and_interrupted)):
            print(name, flush=True)
            folder = os.path.join(work, name.replace(" ", "_"))
            os.makedirs(folder)
            step(program, scene, folder)
        textured = check_textures_beside_the_scene(program, os.path.join(work, "textures"))
        check_obj_companions(program, textured, os.path.join(work, "textures"))
        check_extension_blocks(program, work)
        check_planted_jpeg_writer(program, plugin, work)
    if FAILURES:
        sys.exit(1)


if __name__ == "__main__":
    main()
