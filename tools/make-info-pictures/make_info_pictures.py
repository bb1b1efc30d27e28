#!/usr/bin/env python3
"""Writes the four pictures of the control's information screens as 24-bit
bitmaps: a camera drawn in flat shapes with a sign for each screen (none,
a red cross, an hourglass, a question mark). The generated files are
committed beside the resource script, so the build does not need Python.

Usage: make_info_pictures.py <output folder>
"""
import os
import struct
import sys

W, H = 96, 72
GREY, DARK, LENS, WHITE = (150, 150, 150), (70, 70, 70), (60, 110, 170), (255, 255, 255)
RED, AMBER, BLUE = (200, 30, 30), (210, 150, 20), (40, 90, 200)


def camera(px):
    for y in range(22, 60):
        for x in range(14, 74):
            px[y][x] = GREY
    for y in range(16, 22):
        for x in range(26, 44):
            px[y][x] = DARK
    for y in range(26, 56):
        for x in range(28, 60):
            d = (x - 44) ** 2 + (y - 41) ** 2
            if d <= 13 ** 2:
                px[y][x] = DARK if d > 9 ** 2 else LENS


def cross(px):
    for i in range(-12, 13):
        for t in range(-2, 3):
            for (x, y) in ((80 + i + t, 54 + i), (80 + i + t, 54 - i)):
                if 0 <= x < W and 0 <= y < H:
                    px[y][x] = RED


def hourglass(px):
    for y in range(42, 68):
        half = abs(y - 55)
        for x in range(80 - half, 81 + half):
            if 0 <= x < W:
                px[y][x] = AMBER


def question(px):
    shape = ["..###..", ".#...#.", ".....#.", "....#..", "...#...", "...#...", ".......", "...#..."]
    for row, line in enumerate(shape):
        for col, ch in enumerate(line):
            if ch == "#":
                for dy in range(3):
                    for dx in range(3):
                        px[42 + row * 3 + dy][66 + col * 3 + dx] = BLUE


def write(path, sign):
    px = [[WHITE] * W for _ in range(H)]
    camera(px)
    if sign:
        sign(px)
    rows = []
    for y in reversed(range(H)):  # bottom-up
        row = b"".join(struct.pack("BBB", b, g, r) for (r, g, b) in px[y])
        rows.append(row + b"\0" * ((4 - len(row) % 4) % 4))
    data = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 54)
    with open(path, "wb") as f:
        f.write(head + info + data)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "."
    for name, sign in (("info_no_camera", None), ("info_failed", cross), ("info_missing", question),
                       ("info_busy", hourglass)):
        write(os.path.join(out, name + ".bmp"), sign)


if __name__ == "__main__":
    main()
