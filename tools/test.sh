#!/usr/bin/env bash
# The test command: setup, build, then every test under Wine in one Xvfb through ctest.
# Extra arguments go to ctest (for example -R Registry).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/tools/build.sh"
exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$root/tools/ctest-in-display.sh" "$@"
