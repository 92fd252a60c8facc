#!/usr/bin/python3
"""Runs the user data generator under Wine on a copy of resources/userdata: the sources load
into a data file; a reference to an unknown master and a character without an exact
code-page-932 mapping each fail with their file and line, leaving no data file behind.

Usage: make_data_file_test.py <MakeDataFile.exe> <userdata folder>"""
import os
import shutil
import subprocess
import sys
import tempfile


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def run(generator, sources, target):
    result = subprocess.run(["wine", generator, windows_path(sources), windows_path(target)],
                            stdin=subprocess.DEVNULL, capture_output=True)
    return result.returncode, result.stderr.decode("utf-8", "replace")


def append(path, text):
    with open(path, "a", encoding="utf-8") as out:
        out.write(text)
    with open(path, encoding="utf-8") as source:
        return len(source.read().splitlines())


def main():
    generator, userdata = sys.argv[1], sys.argv[2]
    failures = []
    with tempfile.TemporaryDirectory() as work:
        target = os.path.join(work, "out.dat")
        faults = {
            "fixture": None,
            "unknown master": ("toolbars.txt", "0x7777\n", "an unknown master"),
            "unmappable": ("masters.txt", "Hint=\U0001F600\n",
                           "a character with no exact code-page-932 mapping"),
        }
        for name, fault in faults.items():
            sources = os.path.join(work, name.replace(" ", "_"))
            shutil.copytree(userdata, sources)
            expected = ""
            if fault:
                file, text, message = fault
                line = append(os.path.join(sources, file), text)
                expected = "%s:%d: %s" % (file, line, message)
            status, errors = run(generator, sources, target)
            if not fault and (status != 0 or not os.path.exists(target)):
                failures.append("%s: exit %d, %s" % (name, status, errors.strip()))
            if fault and (status == 0 or expected not in errors or os.path.exists(target)):
                failures.append("%s: exit %d, wanted %r, got %r, output left: %s"
                                % (name, status, expected, errors.strip(), os.path.exists(target)))
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
