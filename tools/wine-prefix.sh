#!/usr/bin/env bash
# Creates a project Wine prefix once: 32-bit, Japanese locale, unmanaged X11 windows
# (fast creation, mouse input on captions), no Mono/Gecko prompts, and the Marlett font.
# Prefixes made before a step was added get that step on the next call.
set -euo pipefail
prefix=$1
stamp=$prefix/.quolin-prefix
# Caption buttons are drawn with Marlett. Debian's Wine does not load the fonts of fonts-wine,
# so without a copy in the prefix a fallback font shows the button letters "0", "1" and "r".
# The copy is made last: it marks the step as done.
marlett=$prefix/drive_c/windows/Fonts/marlett.ttf
[ -f "$stamp" ] && [ -f "$marlett" ] && exit 0
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=wine-env.sh
source "$here/wine-env.sh" "$prefix"
# The prefix is made without a display; the wineserver is ended afterwards so that
# later runs start one inside their own display.
if [ ! -f "$stamp" ]; then
  echo "[setup] creating Wine prefix $prefix" >&2
  rm -rf "$prefix"
  mkdir -p "$(dirname "$prefix")"
  wineboot -i </dev/null >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
fi
echo "[setup] adding the Marlett font to $prefix" >&2
wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' /v 'Marlett (TrueType)' \
  /d marlett.ttf /f </dev/null >/dev/null 2>&1
wineserver -w
touch "$stamp"
cp /usr/share/wine/fonts/marlett.ttf "$marlett"
