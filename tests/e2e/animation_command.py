#!/usr/bin/env python3
"""Runs `vellumark -o OUT SCENE --animate ...` with no display and reads every animation back with
outside readers: ffprobe and ffmpeg for the animated PNG, GIF, MP4 and WebM files, webpmux for
WebP. Checks the frame count (seconds x fps), the length, the pixel format (alpha where asked),
that a turntable loops (its last frame is near the first, not equal to it, and the middle one is
far from both), the usage errors (exit 2) and that a failed run leaves no file (exit 1).

usage: animation_command.py PROGRAM SCENE_FILE"""

import json
import os
import subprocess
import sys
import tempfile

from render_command import FAILURES, check, run

WIDTH, HEIGHT, SECONDS, FPS = 96, 72, 2, 25
FRAMES = SECONDS * FPS


def probe(path):
    """The first video stream as ffprobe reads it, and its frames' playing time together (not
    every container states its own length)."""
    out = subprocess.run(["ffprobe", "-v", "error", "-i", path, "-select_streams", "v:0",
                          "-show_streams", "-show_frames", "-of", "json"],
                         capture_output=True, text=True, check=True).stdout
    data = json.loads(out)
    last = data["frames"][-1] if data["frames"] else {}
    length = float(last.get("pts_time", 0)) + float(last.get("pkt_duration_time", 0))
    return data["streams"][0], len(data["frames"]), length


def frames(path, decoder):
    """Every frame as RGBA bytes, as ffmpeg decodes the file."""
    raw = subprocess.run(["ffmpeg", "-v", "error", *decoder, "-i", path, "-f", "rawvideo",
                          "-pix_fmt", "rgba", "-"], capture_output=True, check=True).stdout
    size = WIDTH * HEIGHT * 4
    return [raw[i:i + size] for i in range(0, len(raw) - size + 1, size)]


def difference(a, b):
    return sum(abs(x - y) for x, y in zip(a, b)) / len(a)


def check_loop(name, decoded):
    """The step from the last frame to the first is like any other, and the turn shows."""
    if len(decoded) != FRAMES:
        return
    seam = difference(decoded[-1], decoded[0])
    step = difference(decoded[0], decoded[1])
    half = difference(decoded[0], decoded[FRAMES // 2])
    quarter = difference(decoded[0], decoded[FRAMES // 4])
    # Lossy codecs make even equal frames differ a little: the seam is measured against a step.
    figures = f"{seam:.2f} at the seam, steps {step:.2f}"
    check(seam > step / 2, f"{name}: the last frame repeats the first ({figures})")
    check(seam < 2 * step + 0.5, f"{name}: a jump at the loop's seam ({figures})")
    check(half > seam and quarter > 2 * seam,
          f"{name}: no turn: {seam:.2f} at the seam, {quarter:.2f} a quarter, {half:.2f} half way")


def webp_info(path):
    return subprocess.run(["webpmux", "-info", path], capture_output=True, text=True,
                          check=True).stdout


def main():
    program, scene = sys.argv[1], sys.argv[2]
    with tempfile.TemporaryDirectory() as work:
        def make(name, *extra):
            path = os.path.join(work, name)
            result = run(program, "-o", path, scene, "--size", f"{WIDTH}x{HEIGHT}", "--antialias",
                         "off", "--seconds", str(SECONDS), "--fps", str(FPS), *extra)
            check(result.returncode == 0, f"{name}: exit {result.returncode} {result.stderr}")
            return path if result.returncode == 0 else None

        # (file, pixel format as ffprobe reads it, alpha). VP9 keeps its alpha in a second stream
        # beside the frames, which the file's header announces and only libvpx's decoder reads.
        for name, pixel_format, transparent in (("turn.png", "rgba", True),
                                                ("turn.gif", "bgra", True),
                                                ("turn.mp4", "yuv420p", False),
                                                ("turn.webm", "yuv420p", True)):
            path = make(name, "--animate", "turntable", *(["--transparent"] if transparent else []))
            if path is None:
                continue
            stream, count, length = probe(path)
            check(count == FRAMES, f"{name}: {count} frames, not {FRAMES}")
            check(abs(length - SECONDS) < 0.5 / FPS, f"{name}: lasts {length} s, not {SECONDS}")
            check((stream["width"], stream["height"]) == (WIDTH, HEIGHT), f"{name}: wrong size")
            check(stream["pix_fmt"] == pixel_format,
                  f"{name}: pixel format {stream['pix_fmt']}, not {pixel_format}")
            decoder = []
            if name.endswith(".webm"):
                tags = {k.lower(): v for k, v in stream.get("tags", {}).items()}
                check(tags.get("alpha_mode") == "1", f"{name}: no alpha announced: {tags}")
                decoder = ["-c:v", "libvpx-vp9"]
            decoded = frames(path, decoder)
            check(len(decoded) == FRAMES, f"{name}: {len(decoded)} frames decoded")
            check_loop(name, decoded)
            if transparent and decoded:
                alpha = decoded[0][3::4]
                check(alpha.count(0) > len(alpha) // 2 and alpha.count(255) > 20,
                      f"{name}: not a transparent background behind opaque text")

        webp = make("turn.webp", "--animate", "turntable", "--transparent")
        if webp is not None:
            info = webp_info(webp)
            check(f"Number of frames: {FRAMES}" in info, f"turn.webp: {info}")
            check("animation" in info and "transparency" in info,
                  f"turn.webp: not an animation with transparency: {info}")
            durations = [int(line.split()[6]) for line in info.splitlines()
                         if line.strip()[:1].isdigit() and ":" in line]
            check(sum(durations) == SECONDS * 1000, f"turn.webp: lasts {sum(durations)} ms")

        swing = make("swing.gif", "--animate", "swing", "--swing-angle", "30")
        entrance = make("entrance.mp4", "--animate", "entrance")
        for path in (swing, entrance):
            decoded = frames(path, []) if path else []
            check(len(decoded) == FRAMES, f"{path}: {len(decoded)} frames, not {FRAMES}")
            if len(decoded) != FRAMES:
                continue
            # A swing is at its widest a quarter in and loops; an entrance starts with nothing
            # shown and ends with everything.
            check(difference(decoded[0], decoded[FRAMES // 4]) > 1.0, f"{path}: no motion")
            seam = difference(decoded[0], decoded[-1])
            if path == swing:
                step = difference(decoded[0], decoded[1])
                check(step / 2 < seam < 2 * step + 0.5, f"{path}: no seamless loop")
            else:
                check(seam > 1.0, f"{path}: ends where it began")
                first = decoded[0]
                check(max(abs(v - first[i % 4]) for i, v in enumerate(first)) <= 4,
                      f"{path}: the first frame already shows objects")

        before = sorted(os.listdir(work))
        for arguments in (["--animate", "spin"], ["--animate", "swing", "--fps", "0"],
                          ["--animate", "swing", "--seconds", "61"],
                          ["--animate", "swing", "--swing-angle", "x"],
                          ["--animate", "turntable", "--transparent", "-o",
                           os.path.join(work, "t.mp4")],
                          ["--animate", "turntable", "-o", os.path.join(work, "t.bmp")],
                          ["--animate", "turntable", "--size-mm", "40"],
                          ["--animate", "turntable", "--size", "0x10"]):
            output = ["-o", os.path.join(work, "bad.webm")] if "-o" not in arguments else []
            result = run(program, *output, *arguments, scene)
            check(result.returncode == 2, f"{arguments}: exit {result.returncode}, not 2")
            check("--animate" in result.stderr, f"{arguments}: no usage on standard error")
        for arguments in (["-o", os.path.join(work, "no", "a.webm"), scene],
                          ["-o", os.path.join(work, "no", "a.webp"), scene],
                          ["-o", os.path.join(work, "b.gif"), os.path.join(work, "none.vmk")]):
            result = run(program, *arguments, "--animate", "turntable", "--seconds", "0.2")
            check(result.returncode == 1, f"{arguments}: exit {result.returncode}, not 1")
        check(sorted(os.listdir(work)) == before,
              f"failed runs left files: {set(os.listdir(work)) - set(before)}")
    if FAILURES:
        sys.exit(1)


if __name__ == "__main__":
    main()
