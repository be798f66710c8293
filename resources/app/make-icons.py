#!/usr/bin/env python3
"""Draws the application's icons as 32 x 32, 32-bit .ico files.

app.ico (128): a blue rounded square with a white play triangle, the main window.
doc.ico (129): a page with a folded corner and the same triangle, the document type.
Run from this folder; the .rc file names the results.
"""
import struct

SIZE = 32


def inside_triangle(x, y, left, top, bottom, tip):
    # A triangle pointing right: from (left, top)-(left, bottom) to (tip, middle).
    if x < left or x > tip:
        return False
    middle = (top + bottom) / 2
    half = (bottom - top) / 2 * (1 - (x - left) / (tip - left))
    return middle - half <= y <= middle + half


def app_pixel(x, y):
    corner = 5
    cx = min(max(x, corner), SIZE - 1 - corner)
    cy = min(max(y, corner), SIZE - 1 - corner)
    if (x - cx) ** 2 + (y - cy) ** 2 > corner * corner:
        return (0, 0, 0, 0)
    if inside_triangle(x, y, 11, 8, 23, 24):
        return (255, 255, 255, 255)
    shade = 180 - y * 3
    return (40, 90, shade + 60, 255)


def doc_pixel(x, y):
    left, right, top, bottom, fold = 5, 26, 1, 30, 8
    if not (left <= x <= right and top <= y <= bottom):
        return (0, 0, 0, 0)
    if x - (right - fold) > y - top:
        return (0, 0, 0, 0)
    if x == left or x == right or y == top or y == bottom or x - (right - fold) == y - top:
        return (60, 60, 60, 255)
    if inside_triangle(x, y, 11, 11, 23, 21):
        return (40, 90, 220, 255)
    return (250, 250, 250, 255)


def encode(pixel):
    rows = []
    for y in range(SIZE - 1, -1, -1):  # bottom-up
        row = b""
        for x in range(SIZE):
            r, g, b, a = pixel(x, y)
            row += bytes((b, g, r, a))
        rows.append(row)
    xor = b"".join(rows)
    and_mask = b"\0" * (SIZE * SIZE // 8)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
    image = header + xor + and_mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


for name, pixel in (("app.ico", app_pixel), ("doc.ico", doc_pixel)):
    with open(name, "wb") as out:
        out.write(encode(pixel))
