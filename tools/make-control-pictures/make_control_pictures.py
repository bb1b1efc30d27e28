#!/usr/bin/env python3
"""Writes the pictures of the control's skinned controls: the hand cursor
that image buttons show on systems before version 5 (a 32 x 32 monochrome
cursor: a hand pointing up with its index finger, hot spot at the tip).
The generated file is committed beside the resource script, so the build
does not need Python.

Usage: make_control_pictures.py <output folder>
"""
import os
import struct
import sys

# '#' black, 'o' white, anything else transparent.
HAND = [
    "......##........................",
    ".....#oo#.......................",
    ".....#oo#.......................",
    ".....#oo#.......................",
    ".....#oo#.......................",
    ".....#oo###.....................",
    ".....#oo#oo###..................",
    ".....#oo#oo#oo##................",
    ".....#oo#oo#oo#o#...............",
    "..##.#oo#oo#oo#oo#..............",
    ".#oo##ooooooooooo#..............",
    ".#ooo#ooooooooooo#..............",
    "..#oo#ooooooooooo#..............",
    "..#ooooooooooooooo#.............",
    "...#oooooooooooooo#.............",
    "...#ooooooooooooo#..............",
    "....#oooooooooooo#..............",
    "....#ooooooooooo#...............",
    ".....#oooooooooo#...............",
    ".....#oooooooooo#...............",
    ".....############...............",
]
SIZE = 32
HOT_SPOT = (6, 0)


def rows(kind):
    """Bottom-up 1-bit rows of the XOR ('xor') or AND ('and') mask."""
    out = []
    for y in reversed(range(SIZE)):
        line = HAND[y] if y < len(HAND) else ""
        bits = 0
        for x in range(SIZE):
            ch = line[x] if x < len(line) else "."
            if kind == "xor":
                on = ch == "o"
            else:
                on = ch not in "#o"
            bits = (bits << 1) | (1 if on else 0)
        out.append(struct.pack(">I", bits))
    return b"".join(out)


def cursor_bytes():
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = struct.pack("<BBBBBBBB", 0, 0, 0, 0, 255, 255, 255, 0)
    image = header + palette + rows("xor") + rows("and")
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 2, 0, HOT_SPOT[0], HOT_SPOT[1], len(image), 6 + 16)
    return directory + entry + image


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "."
    with open(os.path.join(out, "hand_pointer.cur"), "wb") as f:
        f.write(cursor_bytes())


if __name__ == "__main__":
    main()
