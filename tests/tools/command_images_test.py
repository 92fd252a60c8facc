#!/usr/bin/python3
"""Runs the command image script on a small fixture (117 + 2 slots, each picture one black
pixel of its own) with one fault planted at a time: each stops it with file, line and message
and leaves no output; the fixture and the real sources pass, their strips are 24-bit bitmaps
of 16 x 16 pictures that ImageMagick reads (the first 1872 x 16).

Usage: command_images_test.py <make-command-images.py> <images.txt> <commands.txt>"""
import os
import struct
import subprocess
import sys
import tempfile

FIRST = 117
FUCHSIA = (0xFF, 0x00, 0xFF)


def pixel_picture(index):
    """16 rows with one black pixel at the index's place (the spare: none)."""
    rows = [["."] * 16 for _ in range(16)]
    rows[index // 16 % 16][index % 16] = "K"
    return ["".join(row) for row in rows]


def fixture_sources():
    slots = ["s%d" % n for n in range(FIRST)] + ["# TOOLBTN2", "s1000", "spare"]
    commands = ["# A fixture.", "part dot", "  K"]
    for n, name in enumerate(name for name in slots if not name.startswith("#")):
        commands.append("picture " + name)
        if name == "spare":
            commands.append("  blank")
        else:
            commands += ["  " + row for row in pixel_picture(n)]
    return slots, commands


def line_of(lines, text, start=0):
    return next(i for i in range(start, len(lines)) if lines[i] == text) + 1


def faults():
    """name -> (change of (slots, commands) giving the file and line, message)."""
    def picture_line(commands, name):
        return line_of(commands, "picture " + name)

    def remove_picture(commands, name):
        at = picture_line(commands, name)
        del commands[at - 1:at + 16]

    def row_line(commands, name, row):
        return picture_line(commands, name) + 1 + row

    cases = {}

    def case(name, change, message):
        cases[name] = (change, message)

    def set_row(name, row, text):
        def change(slots, commands):
            commands[row_line(commands, name, row) - 1] = "  " + text
            return "commands.txt", row_line(commands, name, row)
        return change

    case("row of 15", set_row("s3", 2, "." * 15), "a row not 16 wide (15)")
    case("row of 17", set_row("s3", 2, "." * 17), "a row not 16 wide (17)")
    case("unknown colour", set_row("s3", 2, ".x" + "." * 14),
         "an unknown palette character 'x'")
    case("fuchsia", set_row("s3", 2, "F" + "." * 15), "a drawn 0xFF00FF pixel")

    def height(rows):
        def change(slots, commands):
            at = picture_line(commands, "s5")
            if rows < 16:
                del commands[at + rows:at + 16]
            else:
                commands.insert(at + 1, "  " + "." * 16)
            return "commands.txt", at + 1
        return change

    case("15 rows", height(15), "a picture not 16 high (15 rows)")
    case("17 rows", height(17), "a picture not 16 high (17 rows)")

    def nothing_visible(slots, commands):
        at = picture_line(commands, "s7")
        commands[at:at + 16] = ["  " + "." * 16] * 16
        return "commands.txt", at
    case("no visible pixel", nothing_visible, "no visible pixel")

    def duplicate(slots, commands):
        first, second = picture_line(commands, "s8"), picture_line(commands, "s9")
        commands[second:second + 16] = commands[first:first + 16]
        return "commands.txt", second
    case("duplicate", duplicate, "the same picture as s8")

    def missing_picture(slots, commands):
        remove_picture(commands, "s10")
        return "images.txt", slots.index("s10") + 1
    case("slot without picture", missing_picture, "a slot without picture: s10")

    def extra_picture(slots, commands):
        commands += ["picture extra", "  dot"]
        return "commands.txt", len(commands) - 1
    case("picture without slot", extra_picture, "a picture without slot: extra")

    def strip_of(count):
        def change(slots, commands):
            mark = slots.index("# TOOLBTN2")
            if count < FIRST:
                remove_picture(commands, slots.pop(mark - 1))
                mark -= 1
            else:
                slots.insert(mark, "extra")
                commands += ["picture extra", "  dot 15 15", "  dot 14 15"]
                mark += 1
            return "images.txt", mark + 1
        return change

    case("first strip of 116", strip_of(116), "the first strip holds 116 images, not 117")
    case("first strip of 118", strip_of(118), "the first strip holds 118 images, not 117")

    def drawn_spare(slots, commands):
        at = line_of(commands, "picture spare")
        commands[at] = "  dot 15 15"
        return "images.txt", len(slots)
    case("last slot drawn", drawn_spare, "the last slot must be a blank spare")

    def beyond(slots, commands):
        at = picture_line(commands, "s11")
        commands.insert(at + 16, "  dot 16 0")
        return "commands.txt", at + 17
    case("part beyond the picture", beyond, "drawn beyond the 16 x 16 picture")
    return cases


def write(folder, slots, commands):
    os.makedirs(folder)
    for name, lines in (("images.txt", slots), ("commands.txt", commands)):
        with open(os.path.join(folder, name), "w", encoding="utf-8") as out:
            out.write("\n".join(lines) + "\n")
    return os.path.join(folder, "images.txt"), os.path.join(folder, "commands.txt")


def run(script, images, commands, out):
    result = subprocess.run(["/usr/bin/python3", script, images, commands, out],
                            stdin=subprocess.DEVNULL, capture_output=True)
    return result.returncode, result.stderr.decode("utf-8", "replace").strip()


def strip_pictures(path):
    """The pictures of a bitmap file as rows of (r, g, b), checking its format."""
    with open(path, "rb") as source:
        data = source.read()
    offset = struct.unpack_from("<I", data, 10)[0]
    size, width, height, planes, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    assert (size, height, planes, bits, compression) == (40, 16, 1, 24, 0), path
    assert width % 16 == 0, path
    rows = []
    for y in range(16):
        start = offset + (15 - y) * width * 3  # bottom-up
        rows.append([tuple(data[start + 3 * x:start + 3 * x + 3][::-1]) for x in range(width)])
    return width // 16, rows


def identify(path):
    result = subprocess.run(["identify", "-format", "%wx%h", path], capture_output=True)
    return result.stdout.decode().strip()


def main():
    script, images, commands = sys.argv[1:4]
    failures = []
    with tempfile.TemporaryDirectory() as work:
        slots, pictures = fixture_sources()
        out = os.path.join(work, "fixture-out")
        status, errors = run(script, *write(os.path.join(work, "fixture"), slots, pictures), out)
        if status != 0:
            failures.append("fixture: exit %d, %s" % (status, errors))
        else:
            count, rows = strip_pictures(os.path.join(out, "toolbtn.bmp"))
            black = [(x, y) for y in range(16) for x in range(count * 16) if rows[y][x] != FUCHSIA]
            wanted = [(n * 16 + n % 16, n // 16) for n in range(FIRST)]
            if count != FIRST or sorted(black, key=lambda p: p[0]) != wanted or any(
                    rows[y][x] != (0, 0, 0) for x, y in black):
                failures.append("fixture: the first strip is not the pictures drawn")
            count, rows = strip_pictures(os.path.join(out, "toolbtn2.bmp"))
            if count != 2 or any(pixel != FUCHSIA for pixel in rows[0][16:] + rows[15][16:]):
                failures.append("fixture: the second strip is not one picture and a spare")
            for name in ("toolbtn-4x.png", "toolbtn2-4x.png"):
                if not os.path.exists(os.path.join(out, name)):
                    failures.append("fixture: no " + name)
            if identify(os.path.join(out, "toolbtn-4x.png")) != "7488x64":
                failures.append("fixture: the 4x picture is not 7488 x 64")

        for name, (change, message) in faults().items():
            slots, pictures = fixture_sources()
            file, line = change(slots, pictures)
            folder = os.path.join(work, name.replace(" ", "_"))
            out = os.path.join(folder, "out")
            status, errors = run(script, *write(folder, slots, pictures), out)
            expected = "%s:%d: %s" % (file, line, message)
            left = os.path.exists(out) and os.listdir(out)
            if status != 1 or not errors.startswith(expected) or left:
                failures.append("%s: exit %d, wanted %r, got %r, left %r"
                                % (name, status, expected, errors, left))

        # Two pictures alike pass when the second says so.
        slots, pictures = fixture_sources()
        at = line_of(pictures, "picture s9")
        pictures[at:at + 16] = ["  same-as s8"]
        folder = os.path.join(work, "declared_same")
        status, errors = run(script, *write(folder, slots, pictures), os.path.join(folder, "out"))
        if status != 0:
            failures.append("declared same: exit %d, %s" % (status, errors))

        out = os.path.join(work, "real")
        status, errors = run(script, images, commands, out)
        if status != 0:
            failures.append("real sources: exit %d, %s" % (status, errors))
        else:
            if identify(os.path.join(out, "toolbtn.bmp")) != "1872x16":
                failures.append("real sources: toolbtn.bmp is not 1872 x 16")
            strip_pictures(os.path.join(out, "toolbtn2.bmp"))
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
