#!/usr/bin/env python3
"""Draws the Colors panel's two small buttons as 16 x 16 icons, transparent around the picture:

colors-black-white.ico (170): the pen colour black over the fill colour white, as two
    overlapping squares.
colors-swap.ico (171): a bent arrow with a head at each end, from the pen's corner to the fill's.
Run from this folder; ColorsPanel.rc names the results.
"""
import struct

SIZE = 16
CLEAR = None
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
GREY = (96, 96, 96)


def canvas():
    return [[CLEAR] * SIZE for _ in range(SIZE)]


def square(px, left, top, side, fill):
    for y in range(top, top + side):
        for x in range(left, left + side):
            edge = x in (left, left + side - 1) or y in (top, top + side - 1)
            px[y][x] = BLACK if edge else fill


def black_and_white():
    px = canvas()
    square(px, 5, 5, 10, WHITE)
    square(px, 1, 1, 10, BLACK)
    return px


def swap():
    px = canvas()
    # The bend: along the top from x 4 to 11, then down the right side to y 11.
    for x in range(4, 12):
        px[3][x] = GREY
    for y in range(3, 12):
        px[y][11] = GREY
    # Heads: pointing left at (2, 3) and down at (11, 13).
    for d in range(0, 3):
        for y in range(3 - d, 4 + d):
            px[y][2 + d] = BLACK
        for x in range(11 - d, 12 + d):
            px[13 - d][x] = BLACK
    return px


def encode(px):
    rows, mask_rows = [], []
    for y in range(SIZE - 1, -1, -1):  # bottom-up
        row = b""
        bits = 0
        for x in range(SIZE):
            c = px[y][x]
            if c is CLEAR:
                row += bytes((0, 0, 0, 0))
                bits |= 1 << (SIZE - 1 - x)
            else:
                row += bytes((c[2], c[1], c[0], 255))
        rows.append(row)
        # Mask rows are padded to 32 bits.
        mask_rows.append(struct.pack(">HH", bits, 0))
    xor = b"".join(rows)
    and_mask = b"".join(mask_rows)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
    image = header + xor + and_mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


for name, draw in (("colors-black-white.ico", black_and_white), ("colors-swap.ico", swap)):
    with open(name, "wb") as out:
        out.write(encode(draw()))
