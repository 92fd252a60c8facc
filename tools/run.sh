#!/usr/bin/env bash
# The run command: setup, build, and start Quolin.exe under Wine. Without a display it starts
# Xvfb, saves a screenshot of the main window as a PNG, says where, and ends the program.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QUOLIN_BUILD:-$root/build}
"$root/tools/build.sh" >/dev/null

if [ -n "${DISPLAY:-}" ] && [ "${1:-}" != --screenshot ]; then
  # shellcheck source=wine-env.sh
  source "$root/tools/wine-env.sh" "$build/wineprefix-run"
  "$root/tools/tool-presets.sh" "$build"
  exec wine "$build/bin/Quolin.exe" "$@"
fi
[ "${1:-}" = --screenshot ] && shift
exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$root/tools/screenshot.sh" "$@"
