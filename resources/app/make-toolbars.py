#!/usr/bin/env python3
"""Draws the pictures of the application's tool bars, 16 x 15 per button on the mask colour
0xC0C0C0, buttons side by side in the order of their TOOLBAR resource:

main-toolbar.bmp (128): new, open, save, undo, redo, cut, copy, paste, paste in place, clear,
    zoom in, zoom out, play, rewind, go to end.
drawing-tools.bmp (140): selection, subselection, line, lasso, insert bitmap, text, oval,
    rectangle, pencil, brush, free transform, (unused), ink bottle, paint bucket, eyedropper,
    eraser.
library-toolbar.bmp (161): import picture, new folder, two plain buttons.
inspector-toolbar.bmp (206): properties, bring to front, send to back.
Run from this folder; Quorvalis.rc names the results.
"""
import math
import struct

W, H = 16, 15
MASK = (0xC0, 0xC0, 0xC0)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
GREY = (128, 128, 128)
DARK = (64, 64, 64)
BLUE = (30, 80, 200)
LIGHT_BLUE = (150, 190, 240)
RED = (210, 30, 30)
GREEN = (30, 150, 50)
YELLOW = (240, 200, 40)
BROWN = (150, 90, 30)


class Icon:
    def __init__(self):
        self.px = [[MASK] * W for _ in range(H)]

    def put(self, x, y, c):
        if 0 <= x < W and 0 <= y < H:
            self.px[y][x] = c

    def line(self, x0, y0, x1, y1, c):
        n = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(n + 1):
            self.put(round(x0 + (x1 - x0) * i / n), round(y0 + (y1 - y0) * i / n), c)

    def rect(self, x0, y0, x1, y1, edge, fill=None):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                on_edge = x in (x0, x1) or y in (y0, y1)
                if on_edge:
                    self.put(x, y, edge)
                elif fill is not None:
                    self.put(x, y, fill)

    def ellipse(self, cx, cy, rx, ry, edge, fill=None):
        for y in range(H):
            for x in range(W):
                d = ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2
                if d <= 1.0:
                    inner = ((x - cx) / max(rx - 1, 0.5)) ** 2 + ((y - cy) / max(ry - 1, 0.5)) ** 2
                    if inner > 1.0:
                        self.put(x, y, edge)
                    elif fill is not None:
                        self.put(x, y, fill)

    def poly(self, points, c):
        for (x0, y0), (x1, y1) in zip(points, points[1:]):
            self.line(x0, y0, x1, y1, c)

    def triangle(self, points, c):
        (ax, ay), (bx, by), (cx, cy) = points
        for y in range(H):
            for x in range(W):
                d1 = (x - bx) * (ay - by) - (ax - bx) * (y - by)
                d2 = (x - cx) * (by - cy) - (bx - cx) * (y - cy)
                d3 = (x - ax) * (cy - ay) - (cx - ax) * (y - ay)
                neg = d1 < 0 or d2 < 0 or d3 < 0
                pos = d1 > 0 or d2 > 0 or d3 > 0
                if not (neg and pos):
                    self.put(x, y, c)


def arrow_cursor(i, fill):
    i.triangle(((3, 1), (3, 12), (10, 9)), fill)
    i.poly(((3, 1), (3, 12), (10, 9), (3, 1)), BLACK)
    i.line(7, 10, 9, 14, BLACK)


def page(i):
    i.rect(3, 1, 12, 13, BLACK, WHITE)
    i.line(10, 1, 12, 3, BLACK)


def new(i):
    page(i)
    i.line(5, 5, 10, 5, GREY)
    i.line(5, 8, 10, 8, GREY)


def open_(i):
    i.rect(1, 4, 12, 13, BLACK, YELLOW)
    i.rect(1, 2, 6, 4, BLACK, YELLOW)
    i.triangle(((3, 13), (6, 7), (15, 7)), BROWN)


def save(i):
    i.rect(2, 1, 13, 13, BLACK, BLUE)
    i.rect(4, 1, 11, 6, BLACK, WHITE)
    i.rect(5, 9, 10, 13, BLACK, GREY)


def curved_arrow(i, mirror):
    pts = [(3, 10), (3, 6), (5, 4), (10, 4), (12, 6), (12, 10)]
    if mirror:
        pts = [(W - 1 - x, y) for x, y in pts]
    i.poly(pts, BLUE)
    tip = pts[0]
    i.triangle(((tip[0] - 3, tip[1] - 1), (tip[0] + 3, tip[1] - 1), (tip[0], tip[1] + 3)), BLUE)


def cut(i):
    i.line(4, 1, 10, 9, BLACK)
    i.line(11, 1, 5, 9, BLACK)
    i.ellipse(4, 11, 2.5, 2.5, RED)
    i.ellipse(11, 11, 2.5, 2.5, RED)


def copy(i):
    i.rect(1, 1, 9, 10, BLACK, WHITE)
    i.rect(6, 4, 14, 13, BLACK, WHITE)


def clipboard(i):
    i.rect(2, 2, 12, 14, BLACK, BROWN)
    i.rect(5, 1, 9, 3, BLACK, GREY)
    i.rect(6, 6, 14, 13, BLACK, WHITE)


def paste_in_place(i):
    clipboard(i)
    i.rect(8, 8, 12, 11, RED)


def clear(i):
    i.line(3, 3, 12, 12, RED)
    i.line(4, 3, 13, 12, RED)
    i.line(12, 3, 3, 12, RED)
    i.line(13, 3, 4, 12, RED)


def magnifier(i, plus):
    i.ellipse(6, 6, 5, 5, BLACK, WHITE)
    i.line(10, 10, 14, 14, BROWN)
    i.line(11, 10, 15, 14, BROWN)
    i.line(4, 6, 8, 6, BLACK)
    if plus:
        i.line(6, 4, 6, 8, BLACK)


def play(i):
    i.triangle(((4, 2), (4, 12), (12, 7)), GREEN)


def rewind(i):
    i.rect(2, 2, 3, 12, GREEN, GREEN)
    i.triangle(((12, 2), (12, 12), (4, 7)), GREEN)


def go_to_end(i):
    i.triangle(((3, 2), (3, 12), (11, 7)), GREEN)
    i.rect(12, 2, 13, 12, GREEN, GREEN)


def subselection(i):
    arrow_cursor(i, WHITE)
    i.rect(10, 10, 13, 13, BLACK, WHITE)


def line_tool(i):
    i.line(2, 13, 13, 1, BLACK)


def lasso(i):
    i.ellipse(8, 5, 6, 4, BLACK)
    i.line(4, 8, 3, 13, BROWN)


def insert_bitmap(i):
    i.rect(1, 2, 14, 12, BLACK, LIGHT_BLUE)
    i.triangle(((2, 11), (6, 6), (10, 11)), GREEN)
    i.ellipse(11, 5, 1.5, 1.5, YELLOW, YELLOW)


def text(i):
    i.line(3, 2, 12, 2, BLACK)
    i.line(3, 3, 12, 3, BLACK)
    i.line(7, 2, 7, 13, BLACK)
    i.line(8, 2, 8, 13, BLACK)
    i.line(5, 13, 10, 13, BLACK)


def oval(i):
    i.ellipse(7.5, 7, 6.5, 5.5, BLACK, LIGHT_BLUE)


def rectangle(i):
    i.rect(2, 3, 13, 11, BLACK, LIGHT_BLUE)


def pencil(i):
    i.line(3, 12, 12, 3, BROWN)
    i.line(4, 12, 13, 3, YELLOW)
    i.line(3, 13, 12, 4, BROWN)
    i.put(2, 13, BLACK)


def brush(i):
    i.line(11, 1, 7, 8, BROWN)
    i.line(12, 1, 8, 8, BROWN)
    i.ellipse(5, 11, 3, 3, BLUE, BLUE)


def free_transform(i):
    i.rect(3, 3, 12, 11, GREY)
    for x, y in ((3, 3), (12, 3), (3, 11), (12, 11), (7, 3), (7, 11), (3, 7), (12, 7)):
        i.rect(x - 1, y - 1, x + 1, y + 1, BLACK, WHITE)


def unused(i):
    i.rect(5, 5, 10, 10, GREY)


def ink_bottle(i):
    i.rect(4, 6, 11, 13, BLACK, BLUE)
    i.rect(6, 2, 9, 6, BLACK, GREY)


def paint_bucket(i):
    i.triangle(((2, 6), (8, 1), (13, 7)), GREY)
    i.rect(3, 6, 12, 12, BLACK, GREY)
    i.ellipse(13, 11, 1.5, 2.5, RED, RED)


def eyedropper(i):
    i.line(2, 13, 9, 6, BLACK)
    i.line(3, 13, 10, 6, GREY)
    i.rect(9, 2, 13, 6, BLACK, DARK)


def eraser(i):
    i.triangle(((2, 10), (8, 4), (13, 9)), (240, 150, 170))
    i.triangle(((2, 10), (7, 14), (13, 9)), (240, 150, 170))
    i.poly(((2, 10), (8, 4), (13, 9), (7, 14), (2, 10)), BLACK)


def folder_new(i):
    i.rect(1, 5, 12, 13, BLACK, YELLOW)
    i.rect(1, 3, 6, 5, BLACK, YELLOW)
    i.line(12, 0, 12, 4, GREEN)
    i.line(10, 2, 14, 2, GREEN)


def plain(i):
    i.rect(4, 4, 11, 10, GREY, WHITE)


def properties(i):
    page(i)
    for y in (4, 7, 10):
        i.line(5, y, 6, y, BLUE)
        i.line(8, y, 10, y, BLACK)


def layers(i, front):
    i.rect(1, 1, 9, 8, BLACK, LIGHT_BLUE if front else RED)
    i.rect(6, 6, 14, 13, BLACK, RED if front else LIGHT_BLUE)
    if front:
        i.rect(1, 1, 9, 8, BLACK, LIGHT_BLUE)


def bmp_bytes(pixels):
    height, width = len(pixels), len(pixels[0])
    row_size = (width * 3 + 3) & ~3
    rows = b""
    for y in range(height - 1, -1, -1):
        row = b"".join(bytes((b, g, r)) for (r, g, b) in pixels[y])
        rows += row + b"\0" * (row_size - len(row))
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    return b"BM" + struct.pack("<IHHI", 14 + len(header) + len(rows), 0, 0, 14 + len(header)) + header + rows


def strip(name, painters):
    icons = []
    for paint in painters:
        icon = Icon()
        paint(icon)
        icons.append(icon)
    pixels = [sum((icon.px[y] for icon in icons), []) for y in range(H)]
    with open(name, "wb") as f:
        f.write(bmp_bytes(pixels))


strip("main-toolbar.bmp", [new, open_, save, lambda i: curved_arrow(i, False), lambda i: curved_arrow(i, True),
                           cut, copy, clipboard, paste_in_place, clear, lambda i: magnifier(i, True),
                           lambda i: magnifier(i, False), play, rewind, go_to_end])
strip("drawing-tools.bmp", [lambda i: arrow_cursor(i, BLACK), subselection, line_tool, lasso, insert_bitmap, text,
                            oval, rectangle, pencil, brush, free_transform, unused, ink_bottle, paint_bucket,
                            eyedropper, eraser])
strip("library-toolbar.bmp", [insert_bitmap, folder_new, plain, plain])
strip("inspector-toolbar.bmp", [properties, lambda i: layers(i, True), lambda i: layers(i, False)])
