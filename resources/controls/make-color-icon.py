#!/usr/bin/env python3
"""Draws the colour dialog's icon as a 32 x 32, 32-bit .ico file: a hue wheel, white at its centre.

Run from this folder; ColorDialog.rc names the result.
"""
import colorsys
import math
import struct

SIZE = 32
RADIUS = 15.0


def pixel(x, y):
    dx, dy = x + 0.5 - SIZE / 2, SIZE / 2 - (y + 0.5)
    d = math.hypot(dx, dy)
    if d > RADIUS:
        return (0, 0, 0, 0)
    if d > RADIUS - 1:
        return (60, 60, 60, 255)
    hue = (math.atan2(dy, dx) / (2 * math.pi)) % 1.0
    r, g, b = colorsys.hls_to_rgb(hue, 1.0 - 0.5 * d / RADIUS, 1.0)
    return (round(r * 255), round(g * 255), round(b * 255), 255)


def encode():
    rows = []
    for y in range(SIZE - 1, -1, -1):  # bottom-up
        rows.append(b"".join(bytes((b, g, r, a)) for r, g, b, a in (pixel(x, y) for x in range(SIZE))))
    xor = b"".join(rows)
    and_mask = b"\0" * (SIZE * SIZE // 8)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
    image = header + xor + and_mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


with open("color-dialog.ico", "wb") as out:
    out.write(encode())
