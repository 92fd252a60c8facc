#!/usr/bin/env bash
# Brings a fresh Debian 12 machine to the point where the project builds and its tests run:
# packages, the Japanese locale, the source-built static libraries and the Wine prefixes.
# Idempotent: a second call only checks and returns. Steps that change the system run as root,
# or through sudo when it works without a password; they are only taken when needed.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QUOLIN_BUILD:-$root/build}
deps=$build/deps
mkdir -p "$build" "$deps"

log() { printf '[setup] %s\n' "$*" >&2; }

packages=(
  g++-mingw-w64-i686 cmake ninja-build googletest dpkg-dev gcc g++ afl++ libjpeg62-turbo-dev
  wine wine32:i386 xvfb xauth fonts-wine fonts-ipafont-gothic locales
  python3-olefile imagemagick fp-utils
  texlive-latex-base texlive-lang-japanese
  wamerican wbritish
)

# Steps that change the system run as root, or through sudo when it needs no password.
root_prefix=()
require_root() {
  [ "$(id -u)" -eq 0 ] && return
  if command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
    root_prefix=(sudo -n)
    return
  fi
  log "$1 needs root: run this as root, or as a user who may use sudo without a password"
  exit 1
}
as_root() { "${root_prefix[@]}" "$@"; }

# Waits for another apt or dpkg run (a second build, unattended upgrades) instead of failing.
apt_get() { as_root env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 "$@"; }

# Runs a command with its output in a log file; on failure shows the log's end and stops.
run_logged() {
  local file=$1; shift
  "$@" >"$file" 2>&1 && return
  tail -n 60 "$file" >&2
  log "failed: $* (whole output: $file)"
  exit 1
}

missing_packages() {
  local p
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed$' || echo "$p"
  done
}

install_packages() {
  local missing
  mapfile -t missing < <(missing_packages)
  [ ${#missing[@]} -eq 0 ] && return
  require_root "installing packages"
  log "installing: ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
  fi
  apt_get update -qq
  run_logged "$build/apt-install.log" apt_get install -y -q --no-install-recommends "${missing[@]}"
}

ensure_locale() {
  locale -a 2>/dev/null | grep -qix 'ja_JP.utf8' && return
  require_root "generating the ja_JP.UTF-8 locale"
  log "generating ja_JP.UTF-8"
  as_root localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
}

# Adds deb-src entries for the deb entries of Debian's suites that have none, in the format of
# the list they come from.
ensure_source_lists() {
  local lists=() list format entries target added=
  for list in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
    [ -f "$list" ] && lists+=("$list")
  done
  [ ${#lists[@]} -eq 0 ] && return
  local codename
  # shellcheck disable=SC1091
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
  for format in sources list; do
    entries=$(awk -v codename="$codename" -v format="$format" -f "$root/tools/deb-src.awk" \
      phase=1 "${lists[@]}" phase=2 "${lists[@]}")
    [ -z "$entries" ] && continue
    target=/etc/apt/sources.list.d/debian-src.$format
    require_root "adding deb-src entries to $target"
    log "adding deb-src entries to $target"
    # deb822 stanzas are separated by an empty line.
    [ "$format" = sources ] && [ -s "$target" ] && entries=$'\n'$entries
    printf '%s\n' "$entries" | as_root tee -a "$target" >/dev/null
    added=1
  done
  [ -n "$added" ] && apt_get update -qq
  return 0
}

# Builds a static library from Debian's source package with the project's toolchain.
build_source_package() {
  local name=$1 stamp=$2; shift 2
  [ -f "$stamp" ] && return
  ensure_source_lists
  log "building $name from Debian's source package"
  local work=$deps/src-$name
  rm -rf "$work" && mkdir -p "$work/source"
  (cd "$work/source" && run_logged "$work/source.log" apt-get source "$name")
  local dir
  dir=$(find "$work/source" -mindepth 1 -maxdepth 1 -type d | head -n 1)
  run_logged "$work/configure.log" cmake -S "$dir" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686-posix.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$deps/prefix" "$@"
  run_logged "$work/build.log" cmake --build "$work/build"
  run_logged "$work/install.log" cmake --install "$work/build"
  touch "$stamp"
}

ensure_libraries() {
  build_source_package libjpeg-turbo "$deps/prefix/.libjpeg" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF -DWITH_JPEG8=OFF
  build_source_package benchmark "$deps/prefix/.benchmark" \
    -DGIT_VERSION=1.7.1 -DBENCHMARK_ENABLE_TESTING=OFF -DBENCHMARK_ENABLE_WERROR=OFF \
    -DBENCHMARK_ENABLE_GTEST_TESTS=OFF -DBENCHMARK_ENABLE_INSTALL=ON -DBUILD_SHARED_LIBS=OFF
}

install_packages
ensure_locale
ensure_libraries
"$root/tools/wine-prefix.sh" "$build/wineprefix-run"
"$root/tools/wine-prefix.sh" "$build/wineprefix-test"
"$root/tools/shell-test-prefix.sh" "$build/wineprefix-test" "$build/test-drive-e"
