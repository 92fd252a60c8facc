#!/usr/bin/python3
"""Checks the include graph of src/ against the library layers.

A file belongs to the library of the folder under src/ it lives in (see FOLDERS). The check
fails, naming file and line of each include at fault, when
  - a library includes a header of a library it may not use (see MAY_USE), in particular
    when a lower library includes a header of the application library;
  - the libraries include each other in a cycle;
  - the core reaches, directly or through project headers, a header that is neither a C++
    standard header nor one of CORE_SYSTEM_HEADERS (the core is window-free).

Usage: check-layers.py [src folder]   (default: the src/ beside this tools/ folder)
"""

import os
import re
import sys

# Folder under src/ -> library. app/, commands/, settings/ and spell/ make the application
# library; shell/ is listed before it exists so that it is checked from its first file.
FOLDERS = {
    "core": "core",
    "common": "common",
    "ui": "ui",
    "editor": "editor",
    "toolbar": "toolbar",
    "texchain": "texchain",
    "shell": "shell",
    "app": "application",
    "commands": "application",
    "settings": "application",
    "spell": "application",
}

# The program's own file: it puts the libraries together and may include anything.
PROGRAM_FILES = {"app/WinMain.cpp"}

ANY = "anything"

# Library -> the libraries whose headers it may include (besides its own).
MAY_USE = {
    "core": [],
    "common": ["core"],
    "ui": ["common", "core"],
    "editor": ["ui", "common", "core"],
    "toolbar": ["ui", "common", "core"],
    "texchain": ["ui", "common", "core"],
    "shell": ["ui", "common", "core"],
    "application": ANY,
    "program": ANY,
}

# Besides the C++ standard headers, the only system headers the core may reach.
CORE_SYSTEM_HEADERS = {"iconv.h", "jpeglib.h"}

# The host side of the core's platform interface, built only natively, answers with POSIX
# calls; Win32 headers stay refused there too.
HOST_PLATFORM_FILE = "core/HostPlatform.cpp"
HOST_SYSTEM_HEADERS = {"dirent.h", "fcntl.h", "sys/stat.h", "sys/types.h", "unistd.h", "glob.h",
                       "errno.h", "limits.h", "stdlib.h", "stdio.h", "string.h"}

CXX_STANDARD_HEADERS = {
    # C++ library headers (C++20)
    "algorithm", "any", "array", "atomic", "barrier", "bit", "bitset", "charconv", "chrono",
    "codecvt", "compare", "complex", "concepts", "condition_variable", "coroutine", "deque",
    "exception", "execution", "expected", "filesystem", "format", "forward_list", "fstream",
    "functional", "future", "initializer_list", "iomanip", "ios", "iosfwd", "iostream",
    "istream", "iterator", "latch", "limits", "list", "locale", "map", "memory",
    "memory_resource", "mutex", "new", "numbers", "numeric", "optional", "ostream", "queue",
    "random", "ranges", "ratio", "regex", "scoped_allocator", "semaphore", "set",
    "shared_mutex", "source_location", "span", "sstream", "stack", "stdexcept", "stop_token",
    "streambuf", "string", "string_view", "syncstream", "system_error", "thread", "tuple",
    "type_traits", "typeindex", "typeinfo", "unordered_map", "unordered_set", "utility",
    "valarray", "variant", "vector", "version",
    # C headers in their C++ form
    "cassert", "cctype", "cerrno", "cfenv", "cfloat", "cinttypes", "climits", "clocale",
    "cmath", "csetjmp", "csignal", "cstdarg", "cstddef", "cstdint", "cstdio", "cstdlib",
    "cstring", "ctime", "cuchar", "cwchar", "cwctype",
}

SOURCE_SUFFIXES = (".h", ".hpp", ".c", ".cc", ".cpp", ".rc")

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


class Include:
    """One #include line: where it is, what it names, and the project file it reaches."""

    def __init__(self, file, line, name, target):
        self.file = file  # path below src/, with "/"
        self.line = line
        self.name = name  # as written
        self.target = target  # path below src/ of a project file, or None for a system header

    def where(self):
        return f"src/{self.file}:{self.line}"


def library_of(path):
    """The library of a file below src/, or None when its folder is not a library."""
    if path in PROGRAM_FILES:
        return "program"
    return FOLDERS.get(path.split("/")[0])


def read_includes(src, path):
    """The includes of src/path, project headers resolved against the file's folder, then src/."""
    includes = []
    folder = os.path.dirname(path)
    with open(os.path.join(src, path), encoding="utf-8", errors="replace") as text:
        for number, line in enumerate(text, 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            name = match.group(2).strip()
            target = None
            candidates = [os.path.join(folder, name), name] if match.group(1) == '"' else [name]
            for candidate in candidates:
                candidate = os.path.normpath(candidate).replace(os.sep, "/")
                if os.path.isfile(os.path.join(src, candidate)):
                    target = candidate
                    break
            includes.append(Include(path, number, name, target))
    return includes


def scan(src):
    """Every source file below src with its includes: {path below src/: [Include]}."""
    graph = {}
    for folder, _, files in os.walk(src):
        for file in files:
            if file.endswith(SOURCE_SUFFIXES):
                path = os.path.relpath(os.path.join(folder, file), src).replace(os.sep, "/")
                graph[path] = read_includes(src, path)
    return dict(sorted(graph.items()))


def check_folders(graph):
    problems = []
    for folder in sorted({path.split("/")[0] for path in graph if "/" in path}):
        if folder not in FOLDERS:
            problems.append(f"src/{folder}/ is not a library of the layer table: add it to "
                            f"FOLDERS and MAY_USE in tools/check-layers.py")
    return problems


def check_edges(graph):
    """Includes of headers of a library the including one may not use."""
    problems = []
    for path, includes in graph.items():
        source = library_of(path)
        allowed = MAY_USE.get(source, ANY)
        for include in includes:
            target = library_of(include.target) if include.target else None
            if target is None or target == source or allowed == ANY or target in allowed:
                continue
            uses = ", ".join(allowed) if allowed else "no other library"
            what = "a header of the application library" if target == "application" \
                else f"a header of {target}"
            problems.append(f"{include.where()}: {source} includes {what} ({include.name}); "
                            f"{source} may use {uses}")
    return problems


def check_cycles(graph):
    """Cycles between libraries, each with one include per step."""
    edges = {}  # (from library, to library) -> the first include that makes the edge
    for path, includes in graph.items():
        source = library_of(path)
        if source in (None, "program"):
            continue
        for include in includes:
            target = library_of(include.target) if include.target else None
            if target not in (None, source, "program"):
                edges.setdefault((source, target), include)
    successors = {}
    for source, target in edges:
        successors.setdefault(source, set()).add(target)

    problems = []
    seen_cycles = set()

    def walk(library, trail):
        for target in sorted(successors.get(library, ())):
            if target in trail:
                cycle = trail[trail.index(target):] + [target]
                key = frozenset(cycle)
                if key not in seen_cycles:
                    seen_cycles.add(key)
                    steps = "; ".join(
                        f"{edges[(a, b)].where()} includes {edges[(a, b)].name}"
                        for a, b in zip(cycle, cycle[1:]))
                    problems.append(f"the libraries {' -> '.join(cycle)} include each other "
                                    f"in a cycle: {steps}")
            else:
                walk(target, trail + [target])

    for library in sorted(successors):
        walk(library, [library])
    return problems


def allowed_in_core(path, name):
    if path == HOST_PLATFORM_FILE and name in HOST_SYSTEM_HEADERS:
        return True
    return name in CXX_STANDARD_HEADERS or name in CORE_SYSTEM_HEADERS


def check_core_system_headers(graph):
    """System headers the core reaches that are not standard C++ (windows.h and the like)."""
    problems = []
    reported = set()
    for start in (path for path in graph if library_of(path) == "core"):
        # Breadth first, so that the chain shown is a short one.
        chains = {start: [start]}
        queue = [start]
        while queue:
            path = queue.pop(0)
            for include in graph.get(path, []):
                if include.target is None:
                    if not allowed_in_core(path, include.name) and (path, include.line) not in reported:
                        reported.add((path, include.line))
                        # A header outside the core comes with the way the core reaches it.
                        through = "" if library_of(path) == "core" else " (the core reaches it: " \
                            + " -> ".join(f"src/{step}" for step in chains[path]) + ")"
                        problems.append(f"{include.where()}: {include.name} is reached from the "
                                        f"core, which may include only C++ standard headers and "
                                        f"{', '.join(sorted(CORE_SYSTEM_HEADERS))}{through}")
                elif include.target not in chains:
                    chains[include.target] = chains[path] + [include.target]
                    queue.append(include.target)
    return problems


def main(argv):
    src = argv[1] if len(argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                                     "..", "src")
    if not os.path.isdir(src):
        print(f"layer check: no folder {src}")
        return 2
    graph = scan(src)
    problems = (check_folders(graph) + check_edges(graph) + check_cycles(graph) +
                check_core_system_headers(graph))
    for problem in problems:
        print(problem)
    includes = sum(len(found) for found in graph.values())
    if problems:
        print(f"layer check: {len(problems)} problem(s) in {len(graph)} files")
        return 1
    print(f"layer check: {len(graph)} files, {includes} includes, layers kept")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
