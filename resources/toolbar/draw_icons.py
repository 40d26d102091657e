#!/usr/bin/env python3
"""Draws the 18 toolbar images (16x15) and the program icon (32x32) as XPM files.

XPM is C source, so the program compiles the images in. Run again after changing a drawing:
    python3 resources/toolbar/draw_icons.py
"""
import os

PALETTE = {
    ".": "None",
    "k": "#000000",
    "g": "#808080",
    "l": "#C0C0C0",
    "w": "#FFFFFF",
    "r": "#D02020",
    "b": "#2050C0",
    "c": "#40A0E0",
    "y": "#F0C800",
    "o": "#E08000",
    "n": "#20A040",
    "p": "#9040B0",
    "d": "#404040",
}


class Canvas:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.rows = [["."] * width for _ in range(height)]

    def dot(self, x, y, c):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.rows[y][x] = c

    def line(self, x0, y0, x1, y1, c):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.dot(x0, y0, c)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def rect(self, x0, y0, x1, y1, c, fill=None):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                edge = y in (y0, y1) or x in (x0, x1)
                if edge:
                    self.dot(x, y, c)
                elif fill:
                    self.dot(x, y, fill)

    def circle(self, cx, cy, r, c, fill=None):
        for y in range(cy - r - 1, cy + r + 2):
            for x in range(cx - r - 1, cx + r + 2):
                d = ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5
                if abs(d - r) < 0.55:
                    self.dot(x, y, c)
                elif fill and d < r - 0.45:
                    self.dot(x, y, fill)

    def pattern(self, x0, y0, rows, c):
        for dy, row in enumerate(rows):
            for dx, ch in enumerate(row):
                if ch == "#":
                    self.dot(x0 + dx, y0 + dy, c)

    def xpm(self, name):
        used = sorted({ch for row in self.rows for ch in row})
        lines = [f"{self.width} {self.height} {len(used)} 1"]
        lines += [f"{ch} c {PALETTE[ch]}" for ch in used]
        lines += ["".join(row) for row in self.rows]
        body = ",\n".join(f'    "{line}"' for line in lines)
        return f"/* XPM */\nstatic const char* const {name}[] = {{\n{body}}};\n"


GLYPH_A = ["..##..", ".#..#.", "#....#", "######", "#....#", "#....#", "#....#"]
GLYPH_F = ["#####", "#....", "#....", "####.", "#....", "#....", "#...."]
GLYPH_Q = [".###.", "#...#", "....#", "...#.", "..#..", ".....", "..#.."]


def letter_a(cv, x, y, c):
    cv.pattern(x, y, GLYPH_A, c)
    cv.pattern(x + 1, y, GLYPH_A, c)  # bold


def new_object(cv):
    letter_a(cv, 1, 4, "b")
    cv.line(12, 1, 12, 7, "n")
    cv.line(9, 4, 15, 4, "n")


def capture(cv):
    cv.rect(1, 4, 14, 13, "k", "l")
    cv.rect(5, 2, 10, 4, "k", "l")
    cv.circle(8, 8, 3, "k", "c")
    cv.dot(12, 6, "r")


def preview(cv):
    # a jagged edge turned smooth
    for i in range(6):
        cv.rect(1 + i * 1, 12 - i * 2, 1 + i * 1, 13 - i * 2, "k")
    cv.line(8, 13, 14, 1, "b")
    cv.line(9, 13, 15, 1, "c")
    cv.line(1, 14, 15, 14, "g")


def edit_text(cv):
    cv.pattern(1, 1, GLYPH_A, "b")
    cv.line(6, 14, 14, 6, "o")
    cv.line(7, 14, 15, 6, "y")
    cv.line(5, 14, 6, 14, "k")
    cv.dot(15, 5, "r")
    cv.dot(14, 5, "r")


def delete_text(cv):
    cv.pattern(1, 1, GLYPH_A, "b")
    cv.line(7, 7, 14, 14, "r")
    cv.line(8, 7, 15, 14, "r")
    cv.line(14, 7, 7, 14, "r")
    cv.line(15, 7, 8, 14, "r")


def colour(cv):
    cv.circle(7, 7, 6, "k", "l")
    cv.dot(4, 5, "r")
    cv.dot(5, 5, "r")
    cv.dot(7, 3, "y")
    cv.dot(8, 3, "y")
    cv.dot(10, 5, "b")
    cv.dot(11, 5, "b")
    cv.dot(5, 9, "n")
    cv.dot(6, 9, "n")
    cv.rect(9, 9, 11, 11, "w", "w")
    cv.line(13, 14, 15, 10, "o")


def size(cv):
    cv.rect(1, 7, 7, 13, "g", "l")
    cv.rect(1, 1, 14, 13, "k")
    cv.line(8, 6, 13, 2, "b")
    cv.line(10, 2, 13, 2, "b")
    cv.line(13, 2, 13, 5, "b")


def position(cv):
    cv.line(8, 1, 8, 13, "k")
    cv.line(2, 7, 14, 7, "k")
    for d in range(1, 3):
        cv.line(8 - d, 1 + d, 8 + d, 1 + d, "k")
        cv.line(8 - d, 13 - d, 8 + d, 13 - d, "k")
        cv.line(2 + d, 7 - d, 2 + d, 7 + d, "k")
        cv.line(14 - d, 7 - d, 14 - d, 7 + d, "k")
    cv.rect(7, 6, 9, 8, "r", "r")


def tilt(cv):
    cv.line(3, 12, 12, 3, "b")
    cv.line(4, 12, 13, 3, "b")
    cv.line(1, 13, 14, 13, "g")
    for y in range(8, 13):
        x = round(1 + (25 - (y - 13) ** 2) ** 0.5 * 1.3) + 1
        cv.dot(x, y, "r")
    cv.dot(9, 9, "r")


def font(cv):
    cv.pattern(2, 2, GLYPH_F, "k")
    cv.pattern(3, 2, GLYPH_F, "k")
    cv.pattern(9, 6, GLYPH_A, "b")


def checker(cv):
    for y in range(2, 14):
        for x in range(1, 13):
            cv.dot(x, y, "p" if ((x - 1) // 3 + (y - 2) // 3) % 2 else "y")
    cv.rect(1, 2, 12, 13, "k")


def texture(cv):
    checker(cv)
    cv.line(9, 0, 15, 6, "n")
    cv.line(9, 1, 14, 6, "n")
    cv.line(13, 3, 15, 3, "n")


def delete_texture(cv):
    checker(cv)
    cv.line(8, 8, 14, 14, "r")
    cv.line(9, 8, 15, 14, "r")
    cv.line(14, 8, 8, 14, "r")
    cv.line(15, 8, 9, 14, "r")


def magnifier(cv):
    cv.circle(6, 6, 5, "k", "w")
    cv.line(10, 10, 14, 14, "d")
    cv.line(11, 10, 15, 14, "d")


def zoom_in(cv):
    magnifier(cv)
    cv.line(3, 6, 9, 6, "b")
    cv.line(6, 3, 6, 9, "b")


def zoom_out(cv):
    magnifier(cv)
    cv.line(3, 6, 9, 6, "b")


def guides(cv):
    cv.line(2, 12, 14, 12, "r")
    cv.line(2, 12, 2, 1, "n")
    cv.line(2, 12, 8, 6, "b")
    for x in range(4, 15, 3):
        cv.dot(x, 9, "g")
        cv.dot(x, 6, "g")


def shadow(cv):
    cv.line(1, 13, 14, 13, "g")
    for y in range(10, 13):
        cv.line(6 + (13 - y), y, 14, y, "d")
    cv.rect(2, 3, 7, 11, "k", "y")


def light(cv):
    cv.circle(8, 6, 4, "k", "y")
    cv.rect(6, 11, 10, 13, "k", "g")
    cv.line(1, 6, 2, 6, "o")
    cv.line(14, 6, 15, 6, "o")
    cv.line(8, 0, 8, 0, "o")
    cv.line(3, 1, 4, 2, "o")
    cv.line(13, 1, 12, 2, "o")


def help_(cv):
    cv.circle(7, 7, 6, "b", "b")
    cv.pattern(5, 4, GLYPH_Q, "w")
    cv.pattern(6, 4, GLYPH_Q, "w")


TOOLS = [
    ("00_new_object", new_object), ("01_capture", capture), ("02_preview", preview),
    ("03_edit_text", edit_text), ("04_delete_text", delete_text), ("05_colour", colour),
    ("06_size", size), ("07_position", position), ("08_tilt", tilt), ("09_font", font),
    ("10_texture", texture), ("11_delete_texture", delete_texture), ("12_zoom_in", zoom_in),
    ("13_zoom_out", zoom_out), ("14_guides", guides), ("15_shadow", shadow),
    ("16_light", light), ("17_help", help_),
]


def program_icon():
    cv = Canvas(32, 32)
    cv.rect(0, 0, 31, 31, "d", "w")
    # an extruded "V": back face offset down-right in grey, front face in blue
    for off, c in ((3, "g"), (2, "g"), (1, "g"), (0, "b")):
        for t in range(3):
            cv.line(5 + t + off, 5 + off, 15 + off, 25 + off, c)
            cv.line(25 - t + off, 5 + off, 15 + off, 25 + off, c)
    cv.line(2, 29, 29, 29, "l")
    return cv


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, draw in TOOLS:
        cv = Canvas(16, 15)
        draw(cv)
        with open(os.path.join(here, f"tool_{name}.xpm"), "w") as out:
            out.write(cv.xpm(f"tool_{name}_xpm"))
    with open(os.path.join(here, "program_icon.xpm"), "w") as out:
        out.write(program_icon().xpm("program_icon_xpm"))


if __name__ == "__main__":
    main()
