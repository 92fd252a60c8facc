#!/usr/bin/env bash
# Setup, then configure and build everything into the build folder.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QUOLIN_BUILD:-$root/build}
"$root/tools/setup.sh"
# Configured every time: subsystem and bench folders are picked up by their existence.
cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686-posix.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build"
