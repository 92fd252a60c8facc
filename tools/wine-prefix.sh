#!/usr/bin/env bash
# Creates a project Wine prefix once: 32-bit, Japanese locale, unmanaged X11 windows
# (fast creation, mouse input on captions), no Mono/Gecko prompts.
set -euo pipefail
prefix=$1
stamp=$prefix/.quolin-prefix
[ -f "$stamp" ] && exit 0
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=wine-env.sh
source "$here/wine-env.sh" "$prefix"
echo "[setup] creating Wine prefix $prefix" >&2
rm -rf "$prefix"
mkdir -p "$(dirname "$prefix")"
# The prefix is made without a display; the wineserver is ended afterwards so that
# later runs start one inside their own display.
wineboot -i </dev/null >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
wineserver -w
touch "$stamp"
