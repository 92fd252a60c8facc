#!/usr/bin/env bash
# Inside a display: start Quolin.exe, wait for its main window, save it as a PNG, close it.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QUOLIN_BUILD:-$root/build}
shot=${QUOLIN_SCREENSHOT:-$build/quolin-screenshot.png}
# shellcheck source=wine-env.sh
source "$root/tools/wine-env.sh" "$build/wineprefix-run"

wineserver -k </dev/null >/dev/null 2>&1
"$root/tools/tool-presets.sh" "$build"
wine "$build/bin/Quolin.exe" "$@" </dev/null >/dev/null 2>&1 &
program=$!
rect=$(wine "$build/bin/QuolinCtl.exe" wait Quolin 60000 </dev/null 2>/dev/null | tr -d '\r')
if [ -z "$rect" ]; then
  echo "Quolin did not show its main window" >&2
  wineserver -k </dev/null >/dev/null 2>&1
  exit 1
fi
read -r left top width height <<<"$rect"
# The frame may lie partly off screen; crop to what is visible.
[ "$left" -lt 0 ] && width=$((width + left)) && left=0
[ "$top" -lt 0 ] && height=$((height + top)) && top=0
import -window root -crop "${width}x${height}+${left}+${top}" +repage "$shot"
wine "$build/bin/QuolinCtl.exe" close Quolin </dev/null >/dev/null 2>&1
wait "$program"
status=$?
wineserver -k </dev/null >/dev/null 2>&1
echo "Screenshot of the main window: $shot"
exit $status
