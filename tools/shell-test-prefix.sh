#!/usr/bin/env bash
# Makes a test prefix a clean shell namespace for the shell tests: the profile's user folders
# are real, empty folders (Wine links them to the Linux home), the Unix root "/" is not an item
# of the desktop, and drive E: is a folder of the build tree labelled "DATA DISK".
# Runs on every setup: when all is in place it only looks at files. A Wine update brings the
# links and the desktop item back, so a pending update runs first.
# Usage: shell-test-prefix.sh <prefix> <folder for drive E:>
set -euo pipefail
prefix=$1
drive_e=$2
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
stamp=$prefix/.quolin-shell-prefix
label="DATA DISK"
unix_root_item='{9D20AAE8-0625-44B0-9CA7-71889C2254D9}'
namespace_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Explorer\Desktop\Namespace'

# Wine updates a prefix on its next start when wine.inf is newer than the prefix's record.
update_pending() {
  local inf=/usr/share/wine/wine.inf
  [ -f "$inf" ] && [ "$(tr -d "[:space:]" 2>/dev/null <"$prefix/.update-timestamp")" != "$(stat -c %Y "$inf")" ]
}

linked_user_folders() {
  find "$prefix/drive_c/users" -mindepth 2 -maxdepth 2 -type l
}

unix_root_on_desktop() {
  grep -qF "\\\\Desktop\\\\Namespace\\\\$unix_root_item]" "$prefix/system.reg"
}

drive_e_in_place() {
  [ "$(readlink "$prefix/dosdevices/e:")" = "$drive_e" ] &&
    [ "$(cat "$drive_e/.windows-label" 2>/dev/null)" = "$label" ] &&
    [ "$(ls -A "$drive_e")" = ".windows-label" ]
}

mended() {
  ! update_pending && [ -z "$(linked_user_folders)" ] && ! unix_root_on_desktop && drive_e_in_place
}

[ -f "$stamp" ] && mended && exit 0
echo "[setup] making $prefix a clean shell namespace" >&2
# shellcheck source=wine-env.sh
source "$here/wine-env.sh" "$prefix"
# As the prefix itself was made: without a display, the wineserver ended before a test run.
if update_pending; then
  wineboot -u </dev/null >/dev/null 2>&1
  wineserver -w
fi
while IFS= read -r link; do
  rm "$link"
  mkdir "$link"
done < <(linked_user_folders)
if unix_root_on_desktop; then
  wine reg delete "$namespace_key\\$unix_root_item" /f </dev/null >/dev/null 2>&1
  wineserver -w
fi
rm -rf "$drive_e"
mkdir -p "$drive_e"
printf '%s' "$label" >"$drive_e/.windows-label"
ln -sfn "$drive_e" "$prefix/dosdevices/e:"
mended || { echo "[setup] the shell namespace of $prefix could not be mended" >&2; exit 1; }
touch "$stamp"
