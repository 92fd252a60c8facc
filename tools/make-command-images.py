#!/usr/bin/python3
"""Draws the two command image strips from their readable description.

images.txt lists the image slots in order (their numbers never change): the built-in strip
"TOOLBTN" up to the line "# TOOLBTN2", exactly 117 slots, then the second strip, whose last
slot is a blank spare. commands.txt draws the picture of every slot; its head says how.

Writes toolbtn.bmp and toolbtn2.bmp (16 x 16 per image side by side, 24-bit, bottom-up, on the
transparent fuchsia) and a 4x PNG of each for review into the output folder, under temporary
names renamed when all four are whole. A fault stops it with "file:line: message" and exit
code 1, leaving nothing behind.

Usage: make-command-images.py <images.txt> <commands.txt> <output folder>
"""
import os
import struct
import subprocess
import sys

SIZE = 16
FIRST_STRIP = 117
SECOND_STRIP_MARK = "# TOOLBTN2"
BACKGROUND = "."
TRANSPARENT = "F"
# The 16 standard Windows colours.
PALETTE = {
    "K": 0x000000, "M": 0x800000, "G": 0x008000, "O": 0x808000,
    "N": 0x000080, "P": 0x800080, "T": 0x008080, "D": 0x808080,
    "S": 0xC0C0C0, "R": 0xFF0000, "L": 0x00FF00, "Y": 0xFFFF00,
    "B": 0x0000FF, "F": 0xFF00FF, "C": 0x00FFFF, "W": 0xFFFFFF,
}
FONT_HEIGHT = 5
FONT_WIDTH = 3


class Fault(Exception):
    def __init__(self, where, message):
        super().__init__("%s: %s" % (where, message))


class Line:
    def __init__(self, where, text):
        self.where = where
        self.text = text


def read_lines(path):
    """The lines that say something, with where each stands."""
    name = os.path.basename(path)
    try:
        with open(path, encoding="utf-8") as source:
            texts = source.read().splitlines()
    except OSError as error:
        raise Fault(name, "cannot be read (%s)" % error.strerror)
    return [Line("%s:%d" % (name, number), text) for number, text in enumerate(texts, 1)]


def read_slots(path):
    """The slot names of the two strips, and where each was named."""
    strips = [[], []]
    strip = 0
    seen = set()
    last = None
    for line in read_lines(path):
        text = line.text.strip()
        last = line
        if text.startswith(SECOND_STRIP_MARK):
            if strip or len(strips[0]) != FIRST_STRIP:
                raise Fault(line.where, "the first strip holds %d images, not %d"
                            % (len(strips[0]), FIRST_STRIP))
            strip = 1
            continue
        if not text or text.startswith("#"):
            continue
        if text in seen:
            raise Fault(line.where, "a duplicate image slot: " + text)
        seen.add(text)
        strips[strip].append((text, line))
    if not strip:
        raise Fault(last.where if last else os.path.basename(path),
                    'no "%s" line before the second strip' % SECOND_STRIP_MARK)
    if not strips[1]:
        raise Fault(last.where, "the second strip holds no image")
    return strips


class Picture:
    def __init__(self, line):
        self.line = line
        self.grid = [[BACKGROUND] * SIZE for _ in range(SIZE)]
        self.blank = False
        self.same_as = None
        self.steps = 0

    def pixels(self):
        return "".join("".join(row) for row in self.grid)


class Description:
    """The parts, the pixel font and the pictures of commands.txt."""

    def __init__(self, path):
        self.parts = {}
        self.glyphs = {}
        self.pictures = {}
        block = None
        for line in read_lines(path):
            text = line.text.strip()
            if not text or text.startswith("#"):
                continue
            if not line.text[0].isspace():
                self.finish(block)
                block = self.begin(line)
            elif block is None:
                raise Fault(line.where, "an indented line outside any block")
            else:
                block[1].append(line)
        self.finish(block)

    def begin(self, line):
        words = line.text.split()
        if words[0] in ("part", "picture") and len(words) == 2:
            return (words[0], [], words[1], line)
        if words == ["font"]:
            return ("font", [], None, line)
        raise Fault(line.where, 'a block must begin "part NAME", "picture SLOT" or "font"')

    def finish(self, block):
        if block is None:
            return
        kind, lines, name, head = block
        if kind == "font":
            self.read_font(lines, head)
        elif kind == "part":
            if name in self.parts:
                raise Fault(head.where, "a second part " + name)
            self.parts[name] = self.read_part(lines, head)
        else:
            if name in self.pictures:
                raise Fault(head.where, "a second picture of " + name)
            self.pictures[name] = self.draw(lines, head)

    @staticmethod
    def check_row(line, row):
        for pixel in row:
            if pixel != BACKGROUND and pixel not in PALETTE:
                raise Fault(line.where, "an unknown palette character %r" % pixel)

    def read_part(self, lines, head):
        rows = [line.text.strip() for line in lines]
        if not rows or len(rows) > SIZE:
            raise Fault(head.where, "a part of 1 to %d rows" % SIZE)
        for line, row in zip(lines, rows):
            self.check_row(line, row)
            if len(row) != len(rows[0]) or len(row) > SIZE:
                raise Fault(line.where, "a row not as wide as the part's first (%d)"
                            % len(rows[0]))
        return rows

    def read_font(self, lines, head):
        if len(lines) != FONT_HEIGHT + 1:
            raise Fault(head.where, "a font block is a row of characters and %d rows of glyphs"
                        % FONT_HEIGHT)
        characters = lines[0].text.split()
        glyphs = [[] for _ in characters]
        for line in lines[1:]:
            cells = line.text.split()
            if len(cells) != len(characters) or any(len(cell) != FONT_WIDTH for cell in cells):
                raise Fault(line.where, "a font row needs %d glyph rows %d wide"
                            % (len(characters), FONT_WIDTH))
            for glyph, cell in zip(glyphs, cells):
                self.check_row(line, cell)
                glyph.append(cell)
        for character, glyph in zip(characters, glyphs):
            if len(character) != 1 or character in self.glyphs:
                raise Fault(lines[0].where, "a glyph must be one new character: " + character)
            self.glyphs[character] = glyph

    def draw(self, lines, head):
        picture = Picture(head)
        index = 0
        while index < len(lines):
            line = lines[index]
            text = line.text.strip()
            if text[0].islower():
                self.step(picture, line, text.split(), lines)
                index += 1
                continue
            # A block of rows: one layer of 16 x 16 over what is drawn.
            block = []
            while index < len(lines) and not lines[index].text.strip()[0].islower():
                block.append(lines[index])
                index += 1
            if len(block) != SIZE:
                raise Fault(block[0].where, "a picture not %d high (%d rows)" % (SIZE, len(block)))
            for y, row_line in enumerate(block):
                row = row_line.text.strip()
                self.check_row(row_line, row)
                if len(row) != SIZE:
                    raise Fault(row_line.where, "a row not %d wide (%d)" % (SIZE, len(row)))
                self.paint(picture, [row], 0, y, row_line)
            picture.steps += 1
        if picture.steps == 0:
            raise Fault(head.where, "a picture with nothing drawn")
        return picture

    def step(self, picture, line, words, lines):
        name, arguments = words[0], words[1:]
        if name in ("blank", "same-as"):
            if len(lines) != 1 or len(arguments) != (name == "same-as"):
                raise Fault(line.where, '"%s" must be the only step of its picture' % name)
            picture.blank = name == "blank"
            picture.same_as = arguments[0] if arguments else None
            picture.steps += 1
            return
        picture.steps += 1
        if name == "text":
            if len(arguments) < 4:
                raise Fault(line.where, 'a step "text COLOUR X Y TEXT"')
            colour = self.colour(line, arguments[0])
            x, y = self.position(line, arguments[1:3])
            for character in line.text.split(None, 4)[4]:
                if character != " ":
                    glyph = self.glyphs.get(character)
                    if glyph is None:
                        raise Fault(line.where, "no glyph for %r" % character)
                    ink = ["".join(BACKGROUND if p == BACKGROUND else colour for p in row)
                           for row in glyph]
                    self.paint(picture, ink, x, y, line)
                x += FONT_WIDTH + 1
        elif name == "recolor":
            if len(arguments) != 2:
                raise Fault(line.where, 'a step "recolor FROM TO"')
            old, new = (self.colour(line, word) for word in arguments)
            picture.grid = [[new if p == old else p for p in row] for row in picture.grid]
            self.check_transparent(picture, line)
        elif name == "outline":
            colour = self.colour(line, arguments[0]) if arguments else "K"
            drawn = [[p != BACKGROUND for p in row] for row in picture.grid]
            for y in range(SIZE):
                for x in range(SIZE):
                    if not drawn[y][x] and any(
                            0 <= y + dy < SIZE and 0 <= x + dx < SIZE and drawn[y + dy][x + dx]
                            for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
                        picture.grid[y][x] = colour
            self.check_transparent(picture, line)
        elif name == "mirror":
            picture.grid = [row[::-1] for row in picture.grid]
        elif name == "flip":
            picture.grid = picture.grid[::-1]
        elif name == "turn":
            picture.grid = [[picture.grid[SIZE - 1 - x][y] for x in range(SIZE)]
                            for y in range(SIZE)]
        elif name in self.parts:
            if len(arguments) not in (0, 2):
                raise Fault(line.where, 'a step "PART [X Y]"')
            x, y = self.position(line, arguments) if arguments else (0, 0)
            self.paint(picture, self.parts[name], x, y, line)
        else:
            raise Fault(line.where, "an unknown part or step: " + name)

    @staticmethod
    def colour(line, word):
        if len(word) != 1 or word not in PALETTE:
            raise Fault(line.where, "an unknown palette character %r" % word)
        return word

    @staticmethod
    def position(line, words):
        try:
            return int(words[0]), int(words[1])
        except ValueError:
            raise Fault(line.where, "a position must be two numbers")

    @staticmethod
    def check_transparent(picture, line):
        if any(TRANSPARENT in row for row in picture.grid):
            raise Fault(line.where, "a drawn 0xFF00FF pixel, the transparent background")

    def paint(self, picture, rows, left, top, line):
        if left < 0 or top < 0 or left + len(rows[0]) > SIZE or top + len(rows) > SIZE:
            raise Fault(line.where, "drawn beyond the %d x %d picture" % (SIZE, SIZE))
        for y, row in enumerate(rows):
            for x, pixel in enumerate(row):
                if pixel != BACKGROUND:
                    picture.grid[top + y][left + x] = pixel
        self.check_transparent(picture, line)


def resolve(description, strips):
    """The pictures of the strips' slots, checked against each other."""
    slots = [slot for strip in strips for slot in strip]
    names = {name for name, _ in slots}
    for name, picture in description.pictures.items():
        if name not in names:
            raise Fault(picture.line.where, "a picture without slot: " + name)
    for name, line in slots:
        if name not in description.pictures:
            raise Fault(line.where, "a slot without picture: " + name)

    def root(name, line):
        seen = [name]
        while description.pictures[name].same_as:
            name = description.pictures[name].same_as
            if name not in description.pictures or name in seen:
                raise Fault(line.where, "same-as names no other drawn picture: " + name)
            seen.append(name)
        return name

    first_of = {}
    for name, _ in slots:
        picture = description.pictures[name]
        line = picture.line
        source = root(name, line)
        if picture.same_as:
            picture.grid = description.pictures[source].grid
        pixels = picture.pixels()
        visible = pixels != BACKGROUND * (SIZE * SIZE)
        if picture.blank:
            continue
        if not visible:
            raise Fault(line.where, "no visible pixel (a spare says blank)")
        other = first_of.setdefault(pixels, (name, source))
        if other[1] != source:
            raise Fault(line.where, "the same picture as %s (say same-as when meant)" % other[0])
    last_name, last_line = strips[1][-1]
    if not description.pictures[last_name].blank:
        raise Fault(last_line.where, "the last slot must be a blank spare")
    return [[description.pictures[name].grid for name, _ in strip] for strip in strips]


def bitmap_file(grids):
    width = SIZE * len(grids)
    rows = []
    for y in reversed(range(SIZE)):  # bottom-up
        row = bytearray()
        for grid in grids:
            for pixel in grid[y]:
                rgb = PALETTE[TRANSPARENT if pixel == BACKGROUND else pixel]
                row += bytes((rgb & 0xFF, (rgb >> 8) & 0xFF, rgb >> 16))  # B, G, R
        rows.append(bytes(row))
    bits = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, width, SIZE, 1, 24, 0, len(bits), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(bits), 0, 0, 14 + len(info))
    return header + info + bits


def write_outputs(folder, strips):
    os.makedirs(folder, exist_ok=True)
    done = []
    pending = []
    try:
        for stem, grids in zip(("toolbtn", "toolbtn2"), strips):
            bmp = os.path.join(folder, stem + ".bmp")
            png = os.path.join(folder, stem + "-4x.png")
            with open(bmp + ".tmp", "wb") as out:
                out.write(bitmap_file(grids))
            pending.append(bmp)
            result = subprocess.run(["convert", "BMP:" + bmp + ".tmp", "-scale", "400%",
                                     "PNG:" + png + ".tmp"], capture_output=True)
            pending.append(png)
            if result.returncode != 0:
                raise Fault(os.path.basename(png), "convert failed: "
                            + result.stderr.decode("utf-8", "replace").strip())
        for path in pending:
            os.replace(path + ".tmp", path)
            done.append(path)
    finally:
        for path in pending:
            if path not in done and os.path.exists(path + ".tmp"):
                os.remove(path + ".tmp")


def main():
    if len(sys.argv) != 4:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    images, commands, folder = sys.argv[1:]
    try:
        strips = read_slots(images)
        write_outputs(folder, resolve(Description(commands), strips))
    except Fault as fault:
        print(fault, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
