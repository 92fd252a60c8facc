#!/usr/bin/env bash
# Runs ctest inside the display xvfb-run made, with a warm wineserver of the test prefix.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QUOLIN_BUILD:-$root/build}
# shellcheck source=wine-env.sh
source "$root/tools/wine-env.sh" "$build/wineprefix-test"
# Wine's recycle bin is the host's XDG trash: the run's own, removed at its end.
XDG_DATA_HOME=$(mktemp -d "${TMPDIR:-/tmp}/quolin-xdg-data.XXXXXX")
export XDG_DATA_HOME

# A wineserver left from a run without this display would fail to create windows.
wineserver -k </dev/null >/dev/null 2>&1
wineserver -p </dev/null >/dev/null 2>&1
wine cmd /c exit </dev/null >/dev/null 2>&1

ctest --test-dir "$build" --output-on-failure --no-tests=error -j "$(nproc)" "$@"
status=$?
wineserver -k </dev/null >/dev/null 2>&1
rm -rf "$XDG_DATA_HOME"
exit $status
