#!/usr/bin/env python3
"""Draws the library tree's pictures.

library-tree.bmp (166): two 16 x 16 images side by side on the mask colour RGB(0x33, 0x66, 0xCC):
0 a yellow folder, 1 a framed picture (the entry).
Run from this folder; the .rc file names the result.
"""
import struct

MASK = (0x33, 0x66, 0xCC)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
FOLDER = (236, 196, 80)
FOLDER_DARK = (176, 132, 32)
SKY = (140, 200, 240)
HILL = (60, 150, 60)
SUN = (250, 210, 40)
ICON = 16


def canvas(width, height, colour):
    return [[colour] * width for _ in range(height)]


def folder(grid, ox):
    # A tab on the top left over a body, outlined.
    for y in range(3, 14):
        for x in range(1, 15):
            if y == 3 and x > 6:
                continue
            edge = y in (3, 13) or x in (1, 14) or (y == 4 and x > 6)
            grid[y][ox + x] = FOLDER_DARK if edge else FOLDER


def picture(grid, ox):
    # A black frame around sky, a sun and a green hill.
    for y in range(2, 14):
        for x in range(2, 14):
            edge = y in (2, 13) or x in (2, 13)
            grid[y][ox + x] = BLACK if edge else SKY
    for y in range(4, 7):
        for x in range(9, 12):
            grid[y][ox + x] = SUN
    for x in range(3, 13):
        top = 9 + abs(x - 7) // 2
        for y in range(top, 13):
            grid[y][ox + x] = HILL


def bmp_bytes(grid):
    # 24-bit, bottom-up, rows padded to four bytes.
    height, width = len(grid), len(grid[0])
    row_size = (width * 3 + 3) & ~3
    rows = b""
    for y in range(height - 1, -1, -1):
        row = b"".join(bytes((b, g, r)) for r, g, b in grid[y])
        rows += row + b"\0" * (row_size - len(row))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(rows), 0, 0, 14 + len(info))
    return header + info + rows


def main():
    grid = canvas(2 * ICON, ICON, MASK)
    folder(grid, 0)
    picture(grid, ICON)
    with open("library-tree.bmp", "wb") as out:
        out.write(bmp_bytes(grid))


if __name__ == "__main__":
    main()
