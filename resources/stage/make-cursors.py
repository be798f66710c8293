#!/usr/bin/env python3
"""Draws the stage cursors as 32 x 32 monochrome .cur files.

stage.cur (133): a thin arrow, the default stage cursor.
shape.cur (136): an arrow with a four-way move cross, shown over a shape.
Run from this folder; the .rc file names the results.
"""
import struct

SIZE = 32


def arrow():
    # Outline and fill of a classic arrow pointing up-left, hot spot at (0, 0).
    rows = [
        "X", "XX", "X.X", "X..X", "X...X", "X....X", "X.....X", "X......X", "X.......X",
        "X........X", "X.....XXXXX", "X..X..X", "X.X X..X", "XX  X..X", "X    X..X",
        "     X..X", "      XX",
    ]
    return rows


def move_cross(grid, cx, cy):
    # A cross of arrows beside the pointer: black strokes on white.
    for d in range(-6, 7):
        grid[cy][cx + d] = "X"
        grid[cy + d][cx] = "X"
    for d in range(1, 3):
        for sx, sy in ((1, 0), (-1, 0)):
            grid[cy - d][cx + sx * (6 - d)] = "X"
            grid[cy + d][cx + sx * (6 - d)] = "X"
        for sy in (1, -1):
            grid[cy + sy * (6 - d)][cx - d] = "X"
            grid[cy + sy * (6 - d)][cx + d] = "X"


def build(with_cross):
    grid = [[" "] * SIZE for _ in range(SIZE)]
    for y, row in enumerate(arrow()):
        for x, c in enumerate(row):
            grid[y][x] = c
    if with_cross:
        move_cross(grid, 20, 20)
    return grid


def encode(grid, hotspot):
    # AND mask 1 = transparent; XOR bits 1 = white where AND is 0. 'X' black, '.' white.
    xor_rows, and_rows = [], []
    for y in range(SIZE - 1, -1, -1):  # bottom-up
        xbits = abits = 0
        for x in range(SIZE):
            c = grid[y][x]
            bit = 1 << (SIZE - 1 - x)
            if c == " ":
                abits |= bit
            elif c == ".":
                xbits |= bit
        xor_rows.append(struct.pack(">I", xbits))
        and_rows.append(struct.pack(">I", abits))
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = struct.pack("<II", 0x000000, 0xFFFFFF)
    image = header + palette + b"".join(xor_rows) + b"".join(and_rows)
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 2, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    return directory + entry + image


for name, cross in (("stage.cur", False), ("shape.cur", True)):
    with open(name, "wb") as f:
        f.write(encode(build(cross), (0, 0)))
