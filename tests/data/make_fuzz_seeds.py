#!/usr/bin/env python3
"""Writes the fuzzers' seed corpus: small scene and BMP files, valid and broken, made by hand."""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def field(text, width):
    return text + b"\0" * (width - len(text))


def scene_header(perspective=1.0, magic=b"vellumark"):
    settings = struct.pack("<4fi4f4f3ff", 0.0, 1.5, 1.5, 0.0, 1, 0.0, 1.0, 0.0, 0.0,
                           0.0, 0.0, 0.0, 0.5, 1.0, 1.0, 1.0, perspective)
    return field(b"1.00", 10) + field(magic, 10) + settings + b"\0" * 44


def scene_record(text, texture=b""):
    return (field(text, 128) + field(b"\x82\x6c\x82\x72 \x96\xbe\x92\xa9", 64) +
            struct.pack("<iB3x", 0, 128) +
            struct.pack("<3f3f3f4f4f4ff", 0, 0, 0, 0, 30, 0, 1, 1, 0.3,
                        1, 1, 0, 1, 1, 1, 0, 1, 1, 1, 0, 1, 20) +
            field(texture, 256))


def bmp(width, height, bits, pixels, palette=b"", off_bits=None):
    off = off_bits if off_bits is not None else 54 + len(palette)
    size = 54 + len(palette) + len(pixels)
    header = b"BM" + struct.pack("<IHHI", size, 0, 0, off)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, 0, 0, 0, 0, 0)
    return header + info + palette + pixels


def write(folder, name, data):
    path = os.path.join(HERE, "fuzz", folder)
    os.makedirs(path, exist_ok=True)
    with open(os.path.join(path, name), "wb") as out:
        out.write(data)


def main():
    write("scene", "empty.vmk", scene_header())
    three = scene_header() + b"".join(scene_record(t) for t in (b"A", b"\x83\x8d\x83\x53", b"xyz"))
    write("scene", "three_records.vmk", three)
    write("scene", "partial_record.vmk", three + b"z" * 100)
    write("scene", "textured.vmk", scene_header(0.5) + scene_record(b"T", b"/tmp/wood.bmp"))
    write("scene", "nan_field_of_view.vmk", scene_header(float("nan")) + scene_record(b"n"))
    write("scene", "tenth_letter.vmk", scene_header(magic=b"vellumarkx"))
    write("scene", "no_terminators.vmk", scene_header() + b"Q" * 544)
    # A record without text is dropped by the next save; the records after it move up.
    gap = scene_header() + b"".join(scene_record(t) for t in (b"A", b"", b"B"))
    write("scene", "record_without_text.vmk", gap)
    # Bevels of records 0 (chamfer) and 2 (round, 4 segments, back too), behind their checksum.
    entries = (struct.pack("<4B2f", 0, 1, 1, 0, 0.02, 0.01) +
               struct.pack("<4B2f", 2, 2, 4, 1, 0.05, 0.03))
    block = b"VMKB" + struct.pack("<HH", 1, 2) + entries
    write("scene", "bevels.vmk", three + block + struct.pack("<I", zlib.crc32(block)))
    # The one block for everything: studio settings with an environment path, two entries with
    # every field away from its default.
    entries = (struct.pack("<4B2HhH4B", 0, 0x5E, 2, 6, 250, 120, -200, 1200, 128, 40, 3, 0) +
               struct.pack("<4B2HhH4B", 2, 0x01, 1, 1, 500, 1, 2000, 0, 0, 0, 7, 0))
    block = b"VMKX" + struct.pack("<H5bB", 1, 1, 1, -20, 100, 3, 2) + entries + b"\x07env.hdr"
    write("scene", "extension.vmk", three + block + struct.pack("<I", zlib.crc32(block)))
    many = scene_header() + b"".join(scene_record(bytes([65 + k % 26])) for k in range(33))
    write("scene", "thirty_three_records.vmk", many)

    rgb = b"".join(bytes((x * 30 % 256, y * 30 % 256, 77)) for y in range(8) for x in range(8))
    write("bmp", "rgb_8x8.bmp", bmp(8, 8, 24, rgb))
    palette = b"".join(bytes((i, 255 - i, i ^ 0x5A, 0)) for i in range(256))
    write("bmp", "indexed_8x8.bmp", bmp(8, 8, 8, bytes(range(64)), palette))
    write("bmp", "truncated_rgb.bmp", bmp(8, 8, 24, rgb[:100]))
    write("bmp", "depth_16.bmp", bmp(8, 8, 16, rgb))
    write("bmp", "size_100.bmp", bmp(100, 100, 24, b""))
    write("bmp", "far_offset.bmp", bmp(8, 8, 24, rgb, off_bits=0xFFFFFF00))
    write("bmp", "top_down.bmp", bmp(8, -8, 24, rgb))


if __name__ == "__main__":
    main()
