#!/usr/bin/env python3
"""Writes the pictures of the control's pane bar: 16 x 16 icons for its
buttons and status indicators (companion program, camera settings, switch
off and on, level, no level, mode off and on, value) and the four level
bitmaps (one to four bars). Everything is drawn here from simple shapes;
the generated files are committed beside the resource script, so the
build does not need Python.

Usage: make_bar_pictures.py <output folder>
"""
import os
import struct
import sys

SIZE = 16
CLEAR = None
DARK = (64, 64, 72)
GREY = (150, 150, 156)
LIGHT = (224, 224, 228)
WHITE = (255, 255, 255)
BLUE = (40, 96, 200)
SKY = (120, 170, 240)
GREEN = (40, 170, 60)
LIME = (150, 230, 120)
AMBER = (240, 180, 30)
RED = (210, 50, 40)


def canvas():
    return [[CLEAR] * SIZE for _ in range(SIZE)]


def rect(c, x0, y0, x1, y1, colour):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            c[y][x] = colour


def frame(c, x0, y0, x1, y1, colour):
    for x in range(x0, x1 + 1):
        c[y0][x] = c[y1][x] = colour
    for y in range(y0, y1 + 1):
        c[y][x0] = c[y][x1] = colour


def disc(c, cx, cy, r, colour, ring=None):
    for y in range(SIZE):
        for x in range(SIZE):
            d = (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2
            if d <= r * r:
                c[y][x] = colour
                if ring and d > (r - 1.2) ** 2:
                    c[y][x] = ring


def companion():
    c = canvas()
    rect(c, 1, 2, 14, 13, WHITE)
    frame(c, 1, 2, 14, 13, DARK)
    rect(c, 2, 3, 13, 4, BLUE)
    disc(c, 8, 9.5, 3, SKY, DARK)
    return c


def camera():
    c = canvas()
    rect(c, 5, 3, 10, 4, DARK)
    rect(c, 1, 5, 14, 13, GREY)
    frame(c, 1, 5, 14, 13, DARK)
    disc(c, 8, 9, 3.5, BLUE, DARK)
    c[7][7] = WHITE
    rect(c, 11, 6, 12, 6, AMBER)
    return c


def lamp(on):
    c = canvas()
    disc(c, 8, 8, 6, LIME if on else LIGHT, GREEN if on else GREY)
    if on:
        rect(c, 5, 5, 6, 6, WHITE)
    return c


def bars(count, colour=GREEN):
    c = canvas()
    for i in range(4):
        x0 = 1 + i * 4
        top = 12 - i * 3
        if i < count:
            rect(c, x0, top, x0 + 2, 14, colour)
        else:
            frame(c, x0, top, x0 + 2, 14, GREY)
    return c


def sun(on):
    c = canvas()
    ray = AMBER if on else GREY
    for x, y in [(8, 1), (8, 14), (1, 8), (14, 8), (3, 3), (12, 3), (3, 12), (12, 12)]:
        rect(c, x - (1 if x > 8 else 0), y - (1 if y > 8 else 0), x - (1 if x > 8 else 0), y - (1 if y > 8 else 0), ray)
    disc(c, 8, 8, 4, AMBER if on else WHITE, DARK)
    return c


def value():
    c = canvas()
    rect(c, 1, 1, 14, 14, WHITE)
    frame(c, 1, 1, 14, 14, DARK)
    for x in (5, 10):
        rect(c, x, 3, x, 12, BLUE)
    for y in (6, 10):
        rect(c, 3, y, 12, y, BLUE)
    return c


def icon_bytes(c):
    """A .ico file with one 16 x 16 32-bit image and its AND mask."""
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b""
    mask = b""
    for y in reversed(range(SIZE)):
        bits = 0
        for x in range(SIZE):
            colour = c[y][x]
            if colour is None:
                pixels += b"\0\0\0\0"
                bits = (bits << 1) | 1
            else:
                pixels += bytes((colour[2], colour[1], colour[0], 255))
                bits = bits << 1
        mask += struct.pack(">H", bits) + b"\0\0"  # rows padded to 32 bits
    image = header + pixels + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


def bitmap_bytes(c, background=(236, 233, 216)):
    """A 24-bit bottom-up .bmp; clear pixels take the bar's face colour."""
    row_size = (SIZE * 3 + 3) & ~3
    pixels = b""
    for y in reversed(range(SIZE)):
        row = b""
        for x in range(SIZE):
            colour = c[y][x] or background
            row += bytes((colour[2], colour[1], colour[0]))
        pixels += row + b"\0" * (row_size - len(row))
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


ICONS = {
    "bar_companion.ico": companion,
    "bar_camera.ico": camera,
    "bar_switch_off.ico": lambda: lamp(False),
    "bar_switch_on.ico": lambda: lamp(True),
    "bar_level.ico": lambda: bars(4, GREY),
    "bar_level_none.ico": lambda: bars(0),
    "bar_mode_off.ico": lambda: sun(False),
    "bar_mode_on.ico": lambda: sun(True),
    "bar_value.ico": value,
}
BITMAPS = {
    "bar_level_1.bmp": lambda: bars(1),
    "bar_level_2.bmp": lambda: bars(2),
    "bar_level_3.bmp": lambda: bars(3, AMBER),
    "bar_level_high.bmp": lambda: bars(4, RED),
}


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "."
    for name, draw in ICONS.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(icon_bytes(draw()))
    for name, draw in BITMAPS.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(bitmap_bytes(draw()))


if __name__ == "__main__":
    main()
