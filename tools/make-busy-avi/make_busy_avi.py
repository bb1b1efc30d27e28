#!/usr/bin/env python3
"""Writes the busy animation of LTovra2.dll: a ring of dots whose bright
head runs round, as an uncompressed 8-bit palettised AVI without sound
(the kinds the system's animation control plays without a codec).

Usage: make_busy_avi.py OUTPUT.avi

The output is committed (resources/LTovra2/busy.avi) so that the build does
not need Python; run this again only to change the animation."""

import math
import struct
import sys

SIZE = 40            # width and height in pixels (rows need no padding)
FRAMES = 12
RATE = 12            # frames per second
DOTS = 12
RING_RADIUS = 14.0
DOT_RADIUS = 3.2
BACKGROUND = 0       # the animation control makes this colour transparent

# Index 0 is the background; 1..DOTS run from the faintest dot to the head.
PALETTE = [(240, 240, 240)] + [
    (int(235 - 200 * t), int(238 - 150 * t), int(245 - 40 * t))
    for t in (i / (DOTS - 1) for i in range(DOTS))
]
PALETTE += [(0, 0, 0)] * (16 - len(PALETTE))


def frame_pixels(frame):
    """Rows bottom-up, one palette index per pixel."""
    pixels = bytearray([BACKGROUND]) * (SIZE * SIZE)
    centre = (SIZE - 1) / 2.0
    head = frame * DOTS // FRAMES
    for dot in range(DOTS):
        angle = 2 * math.pi * dot / DOTS - math.pi / 2
        cx = centre + RING_RADIUS * math.cos(angle)
        cy = centre + RING_RADIUS * math.sin(angle)
        shade = DOTS - ((head - dot) % DOTS)  # head = DOTS, the one behind it one less...
        for y in range(SIZE):
            for x in range(SIZE):
                if (x - cx) ** 2 + (y - cy) ** 2 <= DOT_RADIUS ** 2:
                    pixels[(SIZE - 1 - y) * SIZE + x] = shade
    return bytes(pixels)


def chunk(fourcc, data):
    pad = b"\0" if len(data) % 2 else b""
    return fourcc + struct.pack("<I", len(data)) + data + pad


def list_chunk(kind, body):
    return chunk(b"LIST", kind + body)


def main(path):
    frame_bytes = SIZE * SIZE
    frames = [frame_pixels(i) for i in range(FRAMES)]

    avih = struct.pack("<10I4I",
                       1000000 // RATE,           # microseconds per frame
                       frame_bytes * RATE,        # max bytes per second
                       0,                         # padding granularity
                       0x10,                      # AVIF_HASINDEX
                       FRAMES, 0, 1,              # total frames, initial frames, streams
                       frame_bytes,               # suggested buffer size
                       SIZE, SIZE,
                       0, 0, 0, 0)
    strh = struct.pack("<4s4sIHHIIIIIIIi4h",
                       b"vids", b"DIB ", 0, 0, 0, 0,
                       1, RATE, 0, FRAMES,        # scale, rate, start, length
                       frame_bytes, 0xFFFFFFFF, 0,  # buffer size, quality (-1), sample size
                       0, 0, SIZE, SIZE)
    strf = struct.pack("<IiiHHIIiiII",
                       40, SIZE, SIZE, 1, 8, 0,   # BI_RGB
                       frame_bytes, 0, 0, 16, 0)
    strf += b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)

    hdrl = list_chunk(b"hdrl", chunk(b"avih", avih) +
                      list_chunk(b"strl", chunk(b"strh", strh) + chunk(b"strf", strf)))

    movi_body = b""
    index = b""
    for data in frames:
        offset = 4 + len(movi_body)  # from the 'movi' type field
        movi_body += chunk(b"00db", data)
        index += struct.pack("<4sIII", b"00db", 0x10, offset, len(data))  # AVIIF_KEYFRAME
    movi = list_chunk(b"movi", movi_body)

    riff = chunk(b"RIFF", b"AVI " + hdrl + movi + chunk(b"idx1", index))
    with open(path, "wb") as out:
        out.write(riff)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
