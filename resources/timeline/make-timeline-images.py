#!/usr/bin/env python3
"""Draws the timeline's pictures.

timeline-icons.bmp (151): five 16 x 16 layer icons side by side on the mask colour 0xADADAD:
0 an eye, 1 a closed padlock, 2 a square outline, 3 a red cross, 4 a small black dot.
timeline.ico (148): one 32 x 32 picture shown at the top of the context menu's band.
Run from this folder; the .rc file names the results.
"""
import struct

MASK = (0xAD, 0xAD, 0xAD)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
RED = (220, 0, 0)
GOLD = (200, 160, 40)
ICON = 16


def canvas(width, height, colour):
    return [[colour] * width for _ in range(height)]


def put(grid, x, y, colour):
    if 0 <= y < len(grid) and 0 <= x < len(grid[0]):
        grid[y][x] = colour


def eye(grid, ox):
    # Almond outline, white inside, black pupil.
    for x in range(2, 14):
        half = int(4.5 * (1 - ((x - 7.5) / 6.0) ** 2) + 0.5)
        for y in range(8 - half, 8 + half + 1):
            put(grid, ox + x, y, WHITE)
        put(grid, ox + x, 8 - half, BLACK)
        put(grid, ox + x, 8 + half, BLACK)
    for x in range(6, 10):
        for y in range(6, 11):
            put(grid, ox + x, y, BLACK)


def padlock(grid, ox):
    # Shackle over a gold body with a keyhole.
    for y in range(2, 8):
        put(grid, ox + 5, y, BLACK)
        put(grid, ox + 10, y, BLACK)
    for x in range(5, 11):
        put(grid, ox + x, 2, BLACK)
    for y in range(7, 14):
        for x in range(3, 13):
            edge = y in (7, 13) or x in (3, 12)
            put(grid, ox + x, y, BLACK if edge else GOLD)
    put(grid, ox + 8, 9, BLACK)
    put(grid, ox + 8, 10, BLACK)


def outline(grid, ox):
    for i in range(3, 13):
        for x, y in ((i, 3), (i, 12), (3, i), (12, i)):
            put(grid, ox + x, y, BLACK)


def cross(grid, ox):
    for i in range(3, 13):
        for d in (0, 1):
            put(grid, ox + i + d, i, RED)
            put(grid, ox + 15 - i - d, i, RED)


def dot(grid, ox):
    for y in range(7, 10):
        for x in range(7, 10):
            put(grid, ox + x, y, BLACK)


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


def emblem():
    # A white film frame with sprocket holes and a blue play triangle; corners transparent.
    size = 32
    grid = canvas(size, size, None)
    for y in range(3, 29):
        for x in range(1, 31):
            grid[y][x] = BLACK
    for y in range(7, 25):
        for x in range(4, 28):
            grid[y][x] = WHITE
    for x in range(3, 29, 5):
        for y in (4, 5, 26, 27):
            grid[y][x] = WHITE
            grid[y][x + 1] = WHITE
    for x in range(11, 23):
        half = (22 - x) * 7 // 11
        for y in range(16 - half, 16 + half + 1):
            grid[y][x] = (40, 60, 230)
    return grid


def ico_bytes(grid):
    # One 32-bit image with its AND mask.
    size = len(grid)
    pixels = b""
    mask = b""
    for y in range(size - 1, -1, -1):
        bits = 0
        for x in range(size):
            colour = grid[y][x]
            if colour is None:
                pixels += b"\0\0\0\0"
                bits |= 1 << (size - 1 - x)
            else:
                r, g, b = colour
                pixels += bytes((b, g, r, 255))
        mask += struct.pack(">I", bits)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    image = info + pixels + mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), 22)
    return directory + image


def main():
    strip = canvas(ICON * 5, ICON, MASK)
    for index, draw in enumerate((eye, padlock, outline, cross, dot)):
        draw(strip, index * ICON)
    with open("timeline-icons.bmp", "wb") as f:
        f.write(bmp_bytes(strip))
    with open("timeline.ico", "wb") as f:
        f.write(ico_bytes(emblem()))


if __name__ == "__main__":
    main()
