#!/usr/bin/python3
"""Every page that the program's map of help contexts names is in the built help file (read
with the host's chmls), and every page there is in Shift-JIS with the Japanese language set.

Usage: help_pages_test.py <HelpFile.cpp> <Quolin.chm>"""
import re
import subprocess
import sys
import tempfile


def mapped_pages(source):
    with open(source, encoding="utf-8") as text:
        table = text.read().split("ContextPages[] = {", 1)[1].split("};", 1)[0]
    return sorted(set(re.findall(r'\{\d+, "([a-z_0-9]+)"\}', table)))


def main():
    source, chm = sys.argv[1:3]
    pages = mapped_pages(source)
    listing = subprocess.run(["chmls", "list", chm], capture_output=True, text=True,
                             check=True).stdout
    listed = set(re.findall(r"/([A-Za-z_0-9]+\.htm)\s*$", listing, re.MULTILINE))
    failures = [f"{page}.htm is not in {chm}" for page in pages if page + ".htm" not in listed]
    if len(pages) != 26:
        failures.append(f"the map names {len(pages)} pages, not 26")
    with tempfile.TemporaryDirectory() as folder:
        subprocess.run(["chmls", "extract", chm, "/f_fmt.htm", folder + "/f_fmt.htm"],
                       capture_output=True, check=True)
        with open(folder + "/f_fmt.htm", "rb") as page:
            text = page.read().decode("cp932")
        if "charset=Shift_JIS" not in text or "フォーマット選択" not in text:
            failures.append("f_fmt.htm is not the Shift-JIS page of the format dialog")
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
