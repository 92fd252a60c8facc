#!/usr/bin/python3
"""Checks, with python3-olefile on the host, the compound file that the program's storage
routines write under Wine: the storages and streams of the user data file, each holding
exactly the bytes written, after one stream has been rewritten shorter."""
import os
import subprocess
import sys
import tempfile

import olefile

CONFIG = "Quolin\\Config"
USER_DATA = "Quolin\\4\\UserData"

# Record lines as the program writes them: Shift-JIS text, tab-separated, CR LF ended.
MASTER_LONG = ("00000001\t" + "表示テスト\t" * 40 + "\r\n").encode("cp932") * 30
MASTER_SHORT = "00000001\t短い\t\r\n".encode("cp932")
STREAMS = {
    (CONFIG, "Version"): b"Quolin Version4.00 DataFile",
    (USER_DATA, "Menu"): "メニュー\t\\section{}\r\n".encode("cp932"),
    (USER_DATA, "ToolBar"): b"bar_00000001\r\n",
    (USER_DATA, "Master"): MASTER_LONG,
    (USER_DATA, "Group"): "グループ\r\n".encode("cp932"),
    (USER_DATA, "ReserveList"): b"\\begin\r\n\\end\r\n",
}
EXPECTED_STORAGES = {("Quolin",), ("Quolin", "Config"), ("Quolin", "4"), ("Quolin", "4", "UserData")}


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def run_writer(writer, data_file, work, streams):
    args = ["wine", writer, windows_path(data_file)]
    for index, ((storage, name), content) in enumerate(streams.items()):
        content_file = os.path.join(work, "content%d.bin" % index)
        with open(content_file, "wb") as out:
            out.write(content)
        args += [storage, name, windows_path(content_file)]
    result = subprocess.run(args, stdin=subprocess.DEVNULL, capture_output=True)
    if result.returncode != 0:
        sys.exit("writer failed (%d): %s" % (result.returncode, result.stderr.decode(errors="replace")))


def entry_path(storage, name):
    return tuple(storage.split("\\")) + (name,)


def check(data_file, streams):
    errors = []
    ole = olefile.OleFileIO(data_file)
    try:
        found_streams = {tuple(entry) for entry in ole.listdir(streams=True, storages=False)}
        found_storages = {tuple(entry) for entry in ole.listdir(streams=False, storages=True)}
        expected_streams = {entry_path(storage, name) for storage, name in streams}
        if found_streams != expected_streams:
            errors.append("streams %s, expected %s" % (sorted(found_streams), sorted(expected_streams)))
        if found_storages != EXPECTED_STORAGES:
            errors.append("storages %s, expected %s" % (sorted(found_storages), sorted(EXPECTED_STORAGES)))
        for entry in found_streams | found_storages:
            for part in entry:
                if not part or "\\" in part:
                    errors.append("bad entry name %r in %r" % (part, entry))
        for (storage, name), content in streams.items():
            path = entry_path(storage, name)
            if path not in found_streams:
                continue
            size = ole.get_size(list(path))
            data = ole.openstream(list(path)).read()
            if size != len(content) or data != content:
                errors.append("%s: %d bytes, expected %d" % ("/".join(path), size, len(content)))
    finally:
        ole.close()
    return errors


def main():
    writer = sys.argv[1]
    with tempfile.TemporaryDirectory() as work:
        data_file = os.path.join(work, "standard.dat")
        run_writer(writer, data_file, work, STREAMS)
        errors = check(data_file, STREAMS)
        rewritten = dict(STREAMS)
        rewritten[(USER_DATA, "Master")] = MASTER_SHORT
        run_writer(writer, data_file, work, {(USER_DATA, "Master"): MASTER_SHORT})
        errors += check(data_file, rewritten)
    for error in errors:
        print(error)
    print("layout %s" % ("wrong" if errors else "as written"))
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
