#!/usr/bin/env python3
"""Runs `vellumark -o OUT SCENE` with no display at all and checks the pictures with ImageMagick
and the 3D models by their own layout, the exit status of bad options (2) and of unreadable or
unwritable files (1), that a failed run leaves no file behind, and the studio look with the
built-in studio and with a Radiance panorama.

usage: render_command.py PROGRAM SCENE_FILE"""

import os
import struct
import subprocess
import sys
import tempfile

FAILURES = []


def check(condition, message):
    if not condition:
        FAILURES.append(message)
        print("FAIL:", message)


def run(program, *arguments):
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
    return subprocess.run([program, *arguments], env=env, capture_output=True, text=True,
                          timeout=240)


def magick(*arguments):
    return subprocess.run(["convert", *arguments], capture_output=True, text=True,
                          check=True).stdout


def pixels(path):
    """(x, y) -> (r, g, b, a) as ImageMagick decodes the file."""
    out = {}
    for line in magick(path, "-depth", "8", "-alpha", "on", "txt:-").splitlines()[1:]:
        where, _, rest = line.partition(":")
        x, y = (int(v) for v in where.split(","))
        values = rest.split("(")[1].split(")")[0].split(",")
        out[(x, y)] = tuple(int(round(float(v))) for v in values[:4])
    return out


def stl_extent(path):
    """(lowest corner, largest side) of a binary STL's triangles."""
    with open(path, "rb") as stl:
        data = stl.read()
    count = struct.unpack_from("<I", data, 80)[0]
    if len(data) != 84 + 50 * count or count == 0:
        return None
    corners = [struct.unpack_from("<3f", data, 84 + 50 * t + 12 * (1 + k))
               for t in range(count) for k in range(3)]
    low = [min(c[i] for c in corners) for i in range(3)]
    high = [max(c[i] for c in corners) for i in range(3)]
    return low, max(h - l for h, l in zip(high, low))


def write_radiance(path, rgbe):
    """A 16 x 8 Radiance picture of one colour, its pixels stored flat (RGBE bytes)."""
    with open(path, "wb") as out:
        out.write(b"#?RADIANCE\nFORMAT=32-bit_rle_rgbe\n\n-Y 8 +X 16\n")
        out.write(bytes(rgbe) * (16 * 8))


def mean_colour(picture):
    """Mean (r, g, b) of the opaque pixels of a transparent picture."""
    opaque = [p for p in picture.values() if p[3] == 255]
    if not opaque:
        return (0, 0, 0)
    return tuple(sum(p[c] for p in opaque) / len(opaque) for c in range(3))


def check_studio(program, scene, work):
    classic = os.path.join(work, "classic.png")
    studio = os.path.join(work, "studio.png")
    red = os.path.join(work, "red.png")
    panorama = os.path.join(work, "red.hdr")
    write_radiance(panorama, (128, 0, 0, 129))  # radiance (1, 0, 0)
    for path, extra in ((classic, []), (studio, ["--look", "studio", "--exposure", "0.5"]),
                        (red, ["--look=studio", "--environment", panorama])):
        result = run(program, "-o", path, "--size", "200x150", "--transparent", *extra, scene)
        check(result.returncode == 0, f"{extra}: exit {result.returncode} {result.stderr}")
    if not all(os.path.exists(p) for p in (classic, studio, red)):
        return
    looks = [pixels(p) for p in (classic, studio, red)]
    for picture, name in zip(looks, ("classic", "studio", "red studio")):
        alpha = [p[3] for p in picture.values()]
        check(alpha.count(0) > len(alpha) // 2, f"{name}: the background is not transparent")
        check(alpha.count(255) > 300, f"{name}: the text is not opaque")
    differing = sum(looks[0][k][:3] != looks[1][k][:3] for k in looks[0] if looks[0][k][3] == 255)
    check(differing > 300, f"--look studio drew the classic picture ({differing} pixels differ)")
    built_in, panorama_lit = mean_colour(looks[1]), mean_colour(looks[2])
    check(panorama_lit[0] - panorama_lit[1] > built_in[0] - built_in[1] + 20,
          f"a red panorama does not redden the text: {built_in} then {panorama_lit}")


def main():
    program, scene = sys.argv[1], sys.argv[2]
    with tempfile.TemporaryDirectory() as work:
        def listing():
            return sorted(os.listdir(work))

        png = os.path.join(work, "logo.png")
        result = run(program, "-o", png, "--size", "320x240", "--transparent", scene)
        check(result.returncode == 0, f"transparent PNG: exit {result.returncode} {result.stderr}")
        if result.returncode == 0:
            check(magick(png, "-format", "%m %w %h %A", "info:") in ("PNG 320 240 True", "PNG 320 240 Blend"),
                  "not a 320 x 240 PNG with alpha")
            alpha = [p[3] for p in pixels(png).values()]
            check(alpha.count(0) > 320 * 240 // 2, "the background is not transparent")
            check(alpha.count(255) > 500, "the text is not opaque")
            check(sum(0 < a < 255 for a in alpha) > 50, "no antialiased edges")

        for name, extra, kind in (("logo.jpg", ["--quality", "90", "--baseline"], "JPEG"),
                                  ("logo.bmp", ["--antialias", "off", "--background", "0,0,255"],
                                   "BMP")):
            path = os.path.join(work, name)
            result = run(program, "-o", path, "--size", "63x47", *extra, scene)
            check(result.returncode == 0, f"{kind}: exit {result.returncode} {result.stderr}")
            if result.returncode == 0:
                # ImageMagick calls a BMP with the 40-byte header BMP3.
                check(magick(path, "-format", "%m %w %h", "info:").replace("BMP3", "BMP") ==
                      f"{kind} 63 47",
                      f"not a 63 x 47 {kind}")
        corner = pixels(os.path.join(work, "logo.bmp")).get((0, 0), ())
        check(corner[:3] == (0, 0, 255), f"--background not used: {corner}")

        glb = os.path.join(work, "logo.glb")
        result = run(program, "-o", glb, scene)
        check(result.returncode == 0, f"GLB: exit {result.returncode} {result.stderr}")
        if result.returncode == 0:
            with open(glb, "rb") as model:
                magic, version, length = struct.unpack("<4sII", model.read(12))
            check((magic, version, length) == (b"glTF", 2, os.path.getsize(glb)),
                  f"not a whole glTF 2 binary: {magic} {version} {length}")
        stl = os.path.join(work, "logo.stl")
        result = run(program, "-o", stl, "--size-mm", "40", scene)
        check(result.returncode == 0, f"STL: exit {result.returncode} {result.stderr}")
        if result.returncode == 0:
            extent = stl_extent(stl)
            check(extent is not None and all(abs(v) < 1e-3 for v in extent[0]) and
                  abs(extent[1] - 40) < 1e-3, f"the STL is not 40 mm from the origin: {extent}")

        check_studio(program, scene, work)

        before = listing()
        for arguments in (["--look", "glossy"], ["--exposure", "5.5"], ["--exposure", "1e"],
                          ["--look", "studio", "-o", glb], ["--size", "0x10"], ["--size", "16385x10"], ["--antialias", "5"],
                          ["--quality", "101"], ["--background", "1,2"], ["--frobnicate"],
                          ["--transparent", "-o", os.path.join(work, "t.jpg")],
                          ["-o", os.path.join(work, "x.gif")], ["second.vmk"],
                          ["--size-mm", "0", "-o", stl], ["--size-mm", "10001", "-o", stl],
                          ["--size-mm", "40"], ["--size-mm", "40", "-o", glb],
                          ["--antialias", "4", "-o", glb]):
            output = ["-o", os.path.join(work, "bad.png")] if "-o" not in arguments else []
            result = run(program, *output, *arguments, scene)
            check(result.returncode == 2, f"{arguments}: exit {result.returncode}, not 2")
            check("--antialias" in result.stderr, f"{arguments}: no usage on standard error")
        result = run(program, "-o", os.path.join(work, "bad.png"))
        check(result.returncode == 2, f"no scene: exit {result.returncode}, not 2")

        missing = os.path.join(work, "missing.vmk")
        not_scene = os.path.join(work, "logo.bmp")
        blocked = os.path.join(work, "taken.png")
        os.mkdir(blocked)
        before = listing()
        for arguments, named in ((["-o", os.path.join(work, "a.png"), missing], missing),
                                 (["-o", os.path.join(work, "e.png"), "--environment", missing,
                                   scene], missing),
                                 (["-o", os.path.join(work, "f.png"), "--environment", not_scene,
                                   scene], not_scene),
                                 (["-o", os.path.join(work, "b.png"), not_scene], not_scene),
                                 (["-o", os.path.join(work, "no", "c.png"), scene], "c.png"),
                                 (["-o", blocked, scene], blocked),
                                 (["-o", os.path.join(work, "no", "d.glb"), scene], "d.glb")):
            result = run(program, *arguments)
            check(result.returncode == 1, f"{arguments}: exit {result.returncode}, not 1")
            check(named in result.stderr, f"{arguments}: the message does not name {named}")
        check(listing() == before, f"failed runs left files: {set(listing()) - set(before)}")
    if FAILURES:
        sys.exit(1)


if __name__ == "__main__":
    main()
