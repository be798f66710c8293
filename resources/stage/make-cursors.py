#!/usr/bin/env python3
"""Draws the stage cursors as 32 x 32 monochrome .cur files.

stage.cur (133): a thin arrow, the default stage cursor.
shape.cur (136): an arrow with a four-way move cross, shown over a shape.
freehand.cur (137): a pencil, its tip the hot spot (pencil, lasso, brush and eraser).
centre.cur (158): an arrow with a small ring, over the free-transform centre mark.
rotate.cur (159): a ring with an arrow head, over a free-transform rotation zone.
bucket.cur (194): a tipped bucket pouring a drop, the drop's tip the hot spot.
inkbottle.cur (195): a bottle with a drop, the drop's tip the hot spot.
dropper.cur (196): an eyedropper, its tip the hot spot.
handle.cur (156): an arrow with a small hollow square, over a joint or control point of the
subselection tool.
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


def blank():
    return [[" "] * SIZE for _ in range(SIZE)]


def plot(grid, x, y, c="X"):
    if 0 <= x < SIZE and 0 <= y < SIZE:
        grid[y][x] = c


def line(grid, x0, y0, x1, y1, c="X"):
    steps = max(abs(x1 - x0), abs(y1 - y0), 1)
    for i in range(steps + 1):
        plot(grid, round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps), c)


def ring(grid, cx, cy, r, start=0, end=360):
    import math
    for a in range(start, end):
        t = math.radians(a)
        plot(grid, round(cx + r * math.cos(t)), round(cy + r * math.sin(t)))


def fill_between(grid, y0, y1):
    # Fills the interior of each row between its outermost outline pixels with white.
    for y in range(y0, y1 + 1):
        xs = [x for x in range(SIZE) if grid[y][x] == "X"]
        if len(xs) >= 2:
            for x in range(xs[0] + 1, xs[-1]):
                if grid[y][x] == " ":
                    grid[y][x] = "."


def diagonal_tool(width, tip):
    # A tool lying from the lower left (its tip at the hot spot) to the upper right.
    grid = blank()
    for d in range(-width, width + 1):
        line(grid, tip + 3 + d, 28 - 3 + d, 27 + d, 4 + d, "." if abs(d) < width else "X")
    line(grid, 0, 31, tip + 3 - width, 28 - 3 - width)
    line(grid, 0, 31, tip + 3 + width, 28 - 3 + width)
    line(grid, 27 - width, 4 - width, 27 + width, 4 + width)
    return grid


def pencil():
    return diagonal_tool(2, 1)


def dropper():
    grid = diagonal_tool(1, 4)
    for d in range(-3, 4):
        line(grid, 20 + d, 8 + d, 24 + d, 4 + d, "X")
    return grid


def centre_mark():
    grid = build(False)
    ring(grid, 22, 22, 5)
    return grid


def handle():
    grid = build(False)
    for d in range(7):
        for x, y in ((17 + d, 17), (17 + d, 23), (17, 17 + d), (23, 17 + d)):
            plot(grid, x, y)
    for y in range(18, 23):
        for x in range(18, 23):
            plot(grid, x, y, ".")
    return grid


def rotate():
    grid = blank()
    ring(grid, 15, 15, 10, 30, 330)
    ring(grid, 15, 15, 9, 30, 330)
    line(grid, 24, 10, 24, 3)
    line(grid, 24, 10, 17, 10)
    plot(grid, 15, 15)
    return grid


def bucket():
    grid = blank()
    # A pail tipped to the left, a drop falling at the lower left.
    for a, b in (((8, 6), (24, 14)), ((24, 14), (18, 26)), ((18, 26), (4, 20)), ((4, 20), (8, 6))):
        line(grid, a[0], a[1], b[0], b[1])
    fill_between(grid, 7, 25)
    ring(grid, 3, 27, 2)
    line(grid, 3, 24, 3, 31)
    return grid


def ink_bottle():
    grid = blank()
    for a, b in (((10, 4), (18, 4)), ((18, 4), (18, 10)), ((18, 10), (24, 16)), ((24, 16), (24, 28)),
                 ((24, 28), (4, 28)), ((4, 28), (4, 16)), ((4, 16), (10, 10)), ((10, 10), (10, 4))):
        line(grid, a[0], a[1], b[0], b[1])
    fill_between(grid, 5, 27)
    line(grid, 28, 22, 28, 31)
    return grid


CURSORS = (
    ("stage.cur", build(False), (0, 0)),
    ("shape.cur", build(True), (0, 0)),
    ("freehand.cur", pencil(), (0, 31)),
    ("centre.cur", centre_mark(), (0, 0)),
    ("rotate.cur", rotate(), (15, 15)),
    ("bucket.cur", bucket(), (3, 31)),
    ("inkbottle.cur", ink_bottle(), (28, 31)),
    ("dropper.cur", dropper(), (0, 31)),
    ("handle.cur", handle(), (0, 0)),
)

for name, grid, hotspot in CURSORS:
    with open(name, "wb") as f:
        f.write(encode(grid, hotspot))
