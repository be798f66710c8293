#!/usr/bin/env python3
"""Draws gradient-marker.cur (156), the cursor over a marker of the gradient picker: the stage's
arrow with a marker beside it (a white box under a point), hot spot at the arrow's tip.
Reuses the stage cursor script's drawing and encoding. Run from this folder.
"""
import importlib.util
import os

HERE = os.path.dirname(os.path.abspath(__file__))
spec = importlib.util.spec_from_file_location("stage_cursors", os.path.join(HERE, "..", "stage", "make-cursors.py"))
cursors = importlib.util.module_from_spec(spec)
spec.loader.exec_module(cursors)


def marker_cursor():
    grid = cursors.build(False)
    left, right, top, bottom = 16, 26, 18, 30
    centre = (left + right) // 2
    cursors.line(grid, left, top + 5, centre, top)
    cursors.line(grid, centre, top, right, top + 5)
    for x0, y0, x1, y1 in ((left, top + 5, right, top + 5), (right, top + 5, right, bottom),
                           (right, bottom, left, bottom), (left, bottom, left, top + 5)):
        cursors.line(grid, x0, y0, x1, y1)
    cursors.fill_between(grid, top + 1, bottom - 1)
    return grid


with open(os.path.join(HERE, "gradient-marker.cur"), "wb") as f:
    f.write(cursors.encode(marker_cursor(), (0, 0)))
