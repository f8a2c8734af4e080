#!/usr/bin/python3
"""Draws the tool palette bitmap, data/tools.png: one row of 21 cells of
32 x 32 pixels, in the order of the tool commands 201-221. The top-left
pixel's colour (magenta) is the background the palette replaces by the menu
colour, so it appears nowhere else. Run with Debian's python3 (python3-pil)."""
import math
import sys

from PIL import Image, ImageDraw

CELL = 32
KEY = (255, 0, 255)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
GREY = (128, 128, 128)
LIGHT = (200, 200, 200)
BROWN = (150, 90, 40)
BRICK = (178, 60, 40)
BLUE = (40, 90, 200)
SKY = (150, 200, 255)
GREEN = (40, 150, 60)
YELLOW = (250, 220, 60)
WOOD = (190, 130, 70)


def cell(draw, i):
    return i * CELL


def arrow_head(d, x, y, dx, dy, size, colour):
    n = math.hypot(dx, dy)
    ux, uy = dx / n, dy / n
    px, py = -uy, ux
    d.polygon([(x, y), (x - ux * size + px * size / 2, y - uy * size + py * size / 2),
               (x - ux * size - px * size / 2, y - uy * size - py * size / 2)], fill=colour)


def pick(d, o):
    pts = [(8, 4), (8, 26), (13, 21), (17, 29), (21, 27), (17, 19), (24, 19)]
    d.polygon([(o + x, y) for x, y in pts], fill=WHITE, outline=BLACK)


def lens(d, o):
    d.ellipse([o + 4, 4, o + 20, 20], fill=SKY, outline=BLACK, width=2)
    d.line([o + 18, 18, o + 28, 28], fill=BLACK, width=4)


def move(d, o):
    c = 16
    d.line([o + 5, c, o + 27, c], fill=BLACK, width=2)
    d.line([o + c, 5, o + c, 27], fill=BLACK, width=2)
    for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
        arrow_head(d, o + c + dx * 13, c + dy * 13, dx, dy, 7, BLACK)


def mirror(d, o):
    for y in range(2, 30, 4):
        d.line([o + 16, y, o + 16, y + 1], fill=BLACK)
    d.polygon([(o + 13, 8), (o + 13, 24), (o + 3, 24)], fill=BLUE, outline=BLACK)
    d.polygon([(o + 19, 8), (o + 19, 24), (o + 29, 24)], fill=SKY, outline=BLACK)


def rotate(d, o):
    # Three quarters of a turn, anticlockwise, ending in an arrow head.
    d.arc([o + 5, 5, o + 27, 27], 0, 270, fill=BLACK, width=3)
    arrow_head(d, o + 16, 6, 1, 0, 9, BLACK)
    d.rectangle([o + 14, 14, o + 18, 18], fill=BLUE)


def floor(d, o):
    d.polygon([(o + 2, 24), (o + 10, 10), (o + 30, 10), (o + 22, 24)], fill=WOOD, outline=BLACK)
    for k in range(1, 4):
        x = 2 + k * 5
        d.line([o + x, 24, o + x + 8, 10], fill=BROWN)


def wall(d, o):
    d.rectangle([o + 3, 6, o + 28, 26], fill=BRICK, outline=BLACK)
    for row, y in enumerate(range(11, 26, 5)):
        d.line([o + 3, y, o + 28, y], fill=LIGHT)
    for row, y in enumerate(range(6, 26, 5)):
        start = 3 + (6 if row % 2 else 0)
        for x in range(start + 6, 28, 12):
            d.line([o + x, y, o + x, y + 4], fill=LIGHT)


def roof(d, o):
    d.polygon([(o + 2, 18), (o + 16, 5), (o + 30, 18)], fill=BRICK, outline=BLACK)
    d.rectangle([o + 6, 18, o + 26, 28], fill=LIGHT, outline=BLACK)


def cube(d, o, x, y, s, colour):
    k = s // 3
    front = [(o + x, y + k), (o + x + s, y + k), (o + x + s, y + k + s), (o + x, y + k + s)]
    top = [(o + x, y + k), (o + x + k, y), (o + x + k + s, y), (o + x + s, y + k)]
    side = [(o + x + s, y + k), (o + x + k + s, y), (o + x + k + s, y + s), (o + x + s, y + k + s)]
    d.polygon(front, fill=colour, outline=BLACK)
    d.polygon(top, fill=LIGHT, outline=BLACK)
    d.polygon(side, fill=GREY, outline=BLACK)


def box(d, o):
    cube(d, o, 5, 5, 18, SKY)


def boxes(d, o):
    cube(d, o, 2, 14, 10, SKY)
    cube(d, o, 11, 8, 10, SKY)
    cube(d, o, 19, 2, 9, SKY)


def cylinder(d, o):
    d.rectangle([o + 7, 8, o + 25, 25], fill=SKY)
    d.line([o + 7, 8, o + 7, 25], fill=BLACK)
    d.line([o + 25, 8, o + 25, 25], fill=BLACK)
    d.ellipse([o + 7, 21, o + 25, 29], fill=SKY, outline=BLACK)
    d.rectangle([o + 8, 20, o + 24, 25], fill=SKY)
    d.ellipse([o + 7, 4, o + 25, 12], fill=LIGHT, outline=BLACK)


def sphere(d, o):
    d.ellipse([o + 4, 4, o + 28, 28], fill=SKY, outline=BLACK)
    d.ellipse([o + 9, 9, o + 15, 15], fill=WHITE)
    d.arc([o + 4, 12, o + 28, 20], 0, 180, fill=GREY)


def cone(d, o):
    d.polygon([(o + 16, 3), (o + 5, 25), (o + 27, 25)], fill=SKY, outline=BLACK)
    d.ellipse([o + 5, 21, o + 27, 29], fill=SKY, outline=BLACK)
    d.polygon([(o + 16, 4), (o + 6, 25), (o + 26, 25)], fill=SKY)
    d.line([o + 16, 3, o + 5, 25], fill=BLACK)
    d.line([o + 16, 3, o + 27, 25], fill=BLACK)


def pipe(d, o):
    # A tube along a bent path: two straight runs and an elbow.
    d.rectangle([o + 3, 18, o + 18, 27], fill=SKY, outline=BLACK)
    d.rectangle([o + 18, 3, o + 27, 18], fill=SKY, outline=BLACK)
    d.rectangle([o + 18, 18, o + 27, 27], fill=SKY)
    d.line([o + 27, 18, o + 27, 27], fill=BLACK)
    d.line([o + 18, 27, o + 27, 27], fill=BLACK)
    d.ellipse([o + 1, 18, o + 5, 27], fill=WHITE, outline=BLACK)
    d.ellipse([o + 18, 1, o + 27, 5], fill=WHITE, outline=BLACK)


def gradin(d, o):
    pts = [(3, 28), (3, 22), (10, 22), (10, 16), (17, 16), (17, 10), (24, 10), (24, 4), (29, 4), (29, 28)]
    d.polygon([(o + x, y) for x, y in pts], fill=LIGHT, outline=BLACK)


def door(d, o):
    d.rectangle([o + 8, 3, o + 24, 29], fill=WOOD, outline=BLACK)
    d.rectangle([o + 11, 6, o + 21, 14], outline=BROWN)
    d.rectangle([o + 11, 17, o + 21, 26], outline=BROWN)
    d.ellipse([o + 19, 15, o + 22, 18], fill=YELLOW, outline=BLACK)


def window(d, o):
    d.rectangle([o + 4, 5, o + 28, 27], fill=SKY, outline=BLACK, width=2)
    d.line([o + 16, 5, o + 16, 27], fill=BLACK, width=2)
    d.line([o + 4, 16, o + 28, 16], fill=BLACK, width=2)


def hole(d, o):
    d.rectangle([o + 2, 4, o + 29, 28], fill=BRICK, outline=BLACK)
    d.rectangle([o + 9, 10, o + 22, 28], fill=WHITE, outline=BLACK)
    for y in range(10, 28, 3):
        d.point([(o + 15, y)], fill=GREY)


def source(d, o):
    d.rectangle([o + 3, 11, o + 9, 21], fill=GREY, outline=BLACK)
    d.polygon([(o + 9, 11), (o + 17, 4), (o + 17, 28), (o + 9, 21)], fill=LIGHT, outline=BLACK)
    for r in (5, 9):
        d.arc([o + 17 - r, 16 - r, o + 17 + r, 16 + r], -50, 50, fill=BLUE, width=2)


def receiver(d, o):
    d.rounded_rectangle([o + 11, 3, o + 21, 19], radius=5, fill=GREY, outline=BLACK)
    d.arc([o + 7, 8, o + 25, 24], 0, 180, fill=BLACK, width=2)
    d.line([o + 16, 24, o + 16, 29], fill=BLACK, width=2)
    d.line([o + 10, 29, o + 22, 29], fill=BLACK, width=2)


def text_note(d, o):
    d.rectangle([o + 3, 4, o + 28, 27], fill=YELLOW, outline=BLACK)
    d.line([o + 9, 9, o + 22, 9], fill=BLACK, width=3)
    d.line([o + 15, 9, o + 15, 23], fill=BLACK, width=3)


TOOLS = [pick, lens, move, mirror, rotate, floor, wall, roof, box, boxes, cylinder, sphere, cone, pipe, gradin,
         door, window, hole, source, receiver, text_note]


def main(path):
    image = Image.new("RGB", (CELL * len(TOOLS), CELL), KEY)
    d = ImageDraw.Draw(image)
    for i, draw in enumerate(TOOLS):
        draw(d, cell(d, i))
    image.save(path)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "data/tools.png")
