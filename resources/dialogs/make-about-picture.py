#!/usr/bin/env python3
"""Draws the application's picture, shown by the about box and the splash window.

about.bmp (169): 500 x 400, 8 bits per pixel, run-length encoded. A blue sky fading downwards,
a ball bouncing over the stage with its fading motion trail, a monogram ring with a tail, and a
strip of timeline frames with key frames; the lowest 80 rows stay light for the splash window's
status text.
Run from this folder; the .rc file names the result.
"""
import math
import struct

WIDTH, HEIGHT = 500, 400
BAND = 80
SKY_STEPS = 40

# Palette: the sky's steps first, then the drawing colours.
PALETTE = []
for i in range(SKY_STEPS):
    t = i / (SKY_STEPS - 1)
    PALETTE.append((int(24 + t * 150), int(60 + t * 150), int(140 + t * 105)))
BAND_COLOUR = len(PALETTE); PALETTE.append((242, 244, 248))
BLACK = len(PALETTE); PALETTE.append((0, 0, 0))
WHITE = len(PALETTE); PALETTE.append((255, 255, 255))
ORANGE = len(PALETTE); PALETTE.append((245, 140, 30))
TRAILS = []
for i in range(4):
    t = (i + 1) / 5
    TRAILS.append(len(PALETTE)); PALETTE.append((int(245 * t + 150 * (1 - t)), int(140 * t + 190 * (1 - t)), int(30 * t + 230 * (1 - t))))
GREEN = len(PALETTE); PALETTE.append((60, 170, 90))
FRAME = len(PALETTE); PALETTE.append((200, 205, 215))
KEY = len(PALETTE); PALETTE.append((40, 40, 48))

pixels = [[0] * WIDTH for _ in range(HEIGHT)]
for y in range(HEIGHT - BAND):
    step = y * SKY_STEPS // (HEIGHT - BAND)
    for x in range(WIDTH):
        pixels[y][x] = step
for y in range(HEIGHT - BAND, HEIGHT):
    for x in range(WIDTH):
        pixels[y][x] = BAND_COLOUR


def disc(cx, cy, r, colour, outline=None):
    for y in range(int(cy - r - 1), int(cy + r + 2)):
        for x in range(int(cx - r - 1), int(cx + r + 2)):
            if 0 <= x < WIDTH and 0 <= y < HEIGHT:
                d = math.hypot(x - cx, y - cy)
                if outline is not None and r - 2 <= d <= r:
                    pixels[y][x] = outline
                elif d < r:
                    pixels[y][x] = colour


def ring(cx, cy, r, thickness, colour):
    for y in range(int(cy - r - 1), int(cy + r + 2)):
        for x in range(int(cx - r - 1), int(cx + r + 2)):
            if 0 <= x < WIDTH and 0 <= y < HEIGHT and r - thickness <= math.hypot(x - cx, y - cy) <= r:
                pixels[y][x] = colour


def box(x0, y0, x1, y1, colour):
    for y in range(y0, y1):
        for x in range(x0, x1):
            pixels[y][x] = colour


# Ground and the ball's bounce: trail ghosts along a parabola, the ball last.
box(0, 250, WIDTH, HEIGHT - BAND, GREEN)
for i, colour in enumerate(TRAILS):
    x = 90 + i * 60
    y = 230 - 150 * math.sin(math.pi * (i + 0.5) / 5)
    disc(x, y, 18 + i * 2, colour)
disc(350, 220, 30, ORANGE, BLACK)

# The monogram: a thick ring with a tail.
ring(410, 100, 52, 12, WHITE)
for t in range(40):
    for w in range(-6, 7):
        x, y = 435 + t + w // 2, 135 + t - w // 2
        if 0 <= x < WIDTH and 0 <= y < HEIGHT:
            pixels[y][x] = WHITE

# A strip of timeline frames, every fifth one a key frame.
for i in range(24):
    x0 = 14 + i * 20
    box(x0, 272, x0 + 18, 298, FRAME)
    if i % 5 == 0:
        disc(x0 + 9, 285, 5, KEY)


def rle8_row(row):
    out = bytearray()
    x = 0
    while x < len(row):
        run = 1
        while x + run < len(row) and run < 255 and row[x + run] == row[x]:
            run += 1
        out += bytes((run, row[x]))
        x += run
    return out + b"\x00\x00"


bits = bytearray()
for y in range(HEIGHT - 1, -1, -1):  # bottom-up
    bits += rle8_row(pixels[y])
bits += b"\x00\x01"
palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 8, 1, len(bits), 2835, 2835, len(PALETTE), 0)
offset = 14 + len(info) + len(palette)
header = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
with open("about.bmp", "wb") as f:
    f.write(header + info + palette + bits)
