#!/usr/bin/env python3
"""Draws Torvane's own small art files: the toolbar image strip (a camera
for "snap", a running figure for "motion"), the program icon (the camera),
the camera with its flash (the second frame of the progress window's
blinking icon), the red exclamation mark of the dialogs' hints and the
alarm sound ALARM.WAV. Run once; the outputs are committed in
resources/Torvane."""
import math
import struct
import sys
import wave
from pathlib import Path

MAGENTA = (255, 0, 255)  # the toolbar strip's transparent colour


def bmp24(width, height, pixel):
    row = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):
        line = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            line += bytes((b, g, r))
        data += line + bytes(row - len(line))
    header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return header + info + bytes(data)


def camera(x, y, s):
    """A camera body with a lens, in an s by s cell."""
    cx, cy = s * 0.5, s * 0.56
    if s * 0.3 <= x < s * 0.55 and s * 0.16 <= y < s * 0.28:
        return (60, 60, 70)
    if s * 0.08 <= x < s * 0.92 and s * 0.28 <= y < s * 0.86:
        d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
        if d < s * 0.17:
            return (90, 160, 230)
        if d < s * 0.25:
            return (20, 20, 30)
        return (70, 70, 80)
    return MAGENTA


def flashing_camera(x, y, s):
    """The camera with a yellow flash star at its upper right."""
    u, v = (x + 0.5) / s, (y + 0.5) / s
    du, dv = abs(u - 0.8), abs(v - 0.16)
    if du + dv < 0.14 or (du < 0.03 and dv < 0.16) or (dv < 0.03 and du < 0.16):
        return (250, 220, 40)
    return camera(x, y, s)


def red_exclamation(x, y, s):
    """A red disc with a white exclamation mark."""
    u, v = (x + 0.5) / s, (y + 0.5) / s
    if math.hypot(u - 0.5, v - 0.5) >= 0.47:
        return MAGENTA
    if abs(u - 0.5) < 0.07 and (0.18 < v < 0.62 or 0.7 < v < 0.82):
        return (255, 255, 255)
    return (210, 30, 30)


def runner(x, y, s):
    """A stick figure in mid-stride with motion lines."""
    u, v = (x + 0.5) / s, (y + 0.5) / s
    segments = [((0.55, 0.3), (0.5, 0.6)), ((0.5, 0.6), (0.35, 0.9)), ((0.5, 0.6), (0.7, 0.88)),
                ((0.53, 0.38), (0.35, 0.5)), ((0.53, 0.38), (0.75, 0.45)),
                ((0.05, 0.4), (0.25, 0.4)), ((0.1, 0.55), (0.28, 0.55)), ((0.05, 0.7), (0.25, 0.7))]
    if math.hypot(u - 0.58, v - 0.18) < 0.1:
        return (200, 40, 40)
    for (ax, ay), (bx, by) in segments:
        dx, dy = bx - ax, by - ay
        t = max(0.0, min(1.0, ((u - ax) * dx + (v - ay) * dy) / (dx * dx + dy * dy)))
        if math.hypot(u - ax - t * dx, v - ay - t * dy) < 0.05:
            return (200, 40, 40)
    return MAGENTA


def strip(size):
    cells = [camera, runner]
    return bmp24(size * len(cells), size, lambda x, y: cells[x // size](x % size, y, size))


def icon(draw=camera, size=32):
    pixels = bytearray()
    for y in range(size - 1, -1, -1):
        for x in range(size):
            r, g, b = draw(x, y, size)
            pixels += bytes((b, g, r, 0 if (r, g, b) == MAGENTA else 255))
    mask = bytes(((size + 31) // 32) * 4 * size)
    info = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    image = info + pixels + mask
    return struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(image), 22) + image


def alarm(path, rate=11025):
    """Three short two-tone beeps, 8-bit mono, about 0.75 s."""
    frames = bytearray()
    for beep in range(3):
        for i in range(int(rate * 0.18)):
            f = 880 if (i // int(rate * 0.045)) % 2 == 0 else 1320
            envelope = min(1.0, i / 200, (rate * 0.18 - i) / 200)
            frames.append(int(128 + 90 * envelope * math.sin(2 * math.pi * f * i / rate)))
        frames += bytes([128]) * int(rate * 0.07)
    with wave.open(str(path), 'wb') as out:
        out.setnchannels(1)
        out.setsampwidth(1)
        out.setframerate(rate)
        out.writeframes(bytes(frames))


def main(folder):
    folder = Path(folder)
    (folder / 'toolbar.bmp').write_bytes(strip(24))
    (folder / 'Torvane.ico').write_bytes(icon())
    (folder / 'SnapFlash.ico').write_bytes(icon(flashing_camera))
    (folder / 'RedExclamation.ico').write_bytes(icon(red_exclamation))
    alarm(folder / 'ALARM.WAV')


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / 'resources' / 'Torvane')
