#!/usr/bin/python3
"""Draws the editor's two mouse cursors as 32 x 32 monochrome .cur files.

RightArrow: the pointer of the left margin, an arrow pointing up and to the right (the row
selection takes the row it points at). DragSelCopy: the pointer of a selection dragged to be
copied, an arrow with a box and a plus sign below it.

Usage: make-cursors.py <output folder>
"""
import struct
import sys

SIZE = 32

# The left-pointing standard arrow shape, as rows of ' ' (clear), 'X' (black), '.' (white).
ARROW = [
    "X",
    "XX",
    "X.X",
    "X..X",
    "X...X",
    "X....X",
    "X.....X",
    "X......X",
    "X.......X",
    "X........X",
    "X.....XXXXX",
    "X..X..X",
    "X.X X..X",
    "XX  X..X",
    "X    X..X",
    "     X..X",
    "      XX",
]

BOX = [
    "XXXXXXXXXXX",
    "X.........X",
    "X....X....X",
    "X....X....X",
    "X..XXXXX..X",
    "X....X....X",
    "X....X....X",
    "X.........X",
    "XXXXXXXXXXX",
]


def blank():
    return [[" "] * SIZE for _ in range(SIZE)]


def paste(grid, shape, left, top, mirror=False):
    for y, line in enumerate(shape):
        for x, pixel in enumerate(line):
            if pixel == " ":
                continue
            column = left - x if mirror else left + x
            grid[top + y][column] = pixel


def cursor_file(grid, hotspot):
    """A .cur file of one 1-bit image: XOR mask (white where '.'), AND mask (set where clear)."""
    def mask(select):
        rows = []
        for line in reversed(grid):  # bottom-up
            bits = 0
            for pixel in line:
                bits = (bits << 1) | (1 if select(pixel) else 0)
            rows.append(struct.pack(">I", bits))
        return b"".join(rows)

    xor = mask(lambda pixel: pixel == ".")
    and_ = mask(lambda pixel: pixel == " ")
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0, len(xor) + len(and_),
                         0, 0, 2, 0)
    palette = struct.pack("<II", 0x000000, 0xFFFFFF)
    image = header + palette + xor + and_
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 2, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    return directory + entry + image


def main():
    folder = sys.argv[1]
    right = blank()
    paste(right, ARROW, 20, 0, mirror=True)
    with open(folder + "/RightArrow.cur", "wb") as out:
        out.write(cursor_file(right, (20, 0)))
    copy = blank()
    paste(copy, ARROW, 0, 0)
    paste(copy, BOX, 9, 19)
    with open(folder + "/DragSelCopy.cur", "wb") as out:
        out.write(cursor_file(copy, (0, 0)))


main()
