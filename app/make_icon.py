#!/usr/bin/env python3
"""Draws the program's icon, app/reglin.xpm: a 32 x 32 picture in 16 colours or fewer showing a
polyline of four stretches over a pair of axes, with a square at each end of a stretch, the
points the program lists. Run it again only to change the picture; the XPM is kept in the
repository and built into the program as a Qt resource."""

import pathlib

SIZE = 32
COLOURS = {
    ".": "None",     # transparent background
    "a": "#808080",  # axes
    "l": "#000080",  # the polyline
    "e": "#C00000",  # segment ends, outline
    "f": "#FFFF00",  # segment ends, inside
}
# Ends of the stretches, left to right, in pixel coordinates (y grows downwards).
ENDS = [(5, 24), (12, 10), (18, 17), (24, 6), (28, 13)]

pixels = [["." for _ in range(SIZE)] for _ in range(SIZE)]


def put(x, y, c):
    if 0 <= x < SIZE and 0 <= y < SIZE:
        pixels[y][x] = c


# The axes, along the left and the bottom edge.
for i in range(2, 30):
    put(2, i, "a")
    put(i, 29, "a")

# Each stretch, two pixels thick so it stays visible when the icon is shown at 16 x 16.
for (x0, y0), (x1, y1) in zip(ENDS, ENDS[1:]):
    steps = max(abs(x1 - x0), abs(y1 - y0))
    for s in range(steps + 1):
        x = round(x0 + (x1 - x0) * s / steps)
        y = round(y0 + (y1 - y0) * s / steps)
        put(x, y, "l")
        put(x, y + 1, "l")

# A 5 x 5 square at each end: a red outline around a yellow centre.
for x, y in ENDS:
    for dy in range(-2, 3):
        for dx in range(-2, 3):
            edge = abs(dx) == 2 or abs(dy) == 2
            put(x + dx, y + dy, "e" if edge else "f")

lines = [
    "/* XPM */",
    "static const char* const reglin_xpm[] = {",
    f'"{SIZE} {SIZE} {len(COLOURS)} 1",',
]
lines += [f'"{k} c {v}",' for k, v in COLOURS.items()]
lines += [f'"{"".join(row)}"' + ("," if i < SIZE - 1 else "") for i, row in enumerate(pixels)]
lines.append("};")
out = pathlib.Path(__file__).with_name("reglin.xpm")
out.write_text("\n".join(lines) + "\n")
