#!/usr/bin/env bash
# Brings a fresh Debian 12 machine to the point where the project builds and its tests run:
# packages, the Japanese locale, the source-built static libraries and the Wine prefixes.
# Idempotent: a second call only checks and returns.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QUOLIN_BUILD:-$root/build}
deps=$build/deps
mkdir -p "$build" "$deps"

log() { printf '[setup] %s\n' "$*" >&2; }

packages=(
  g++-mingw-w64-i686 cmake ninja-build googletest dpkg-dev g++ afl++
  wine wine32:i386 xvfb xauth fonts-wine fonts-ipafont-gothic locales
  python3-olefile imagemagick fp-utils
  texlive-latex-base texlive-lang-japanese
  wamerican wbritish
)

missing_packages() {
  local p
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed$' || echo "$p"
  done
}

install_packages() {
  local missing
  missing=$(missing_packages)
  [ -z "$missing" ] && return
  log "installing: $(echo $missing)"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  # shellcheck disable=SC2086
  apt-get install -y -qq --no-install-recommends $missing >/dev/null
}

ensure_locale() {
  locale -a 2>/dev/null | grep -qix 'ja_JP.utf8' && return
  log "generating ja_JP.UTF-8"
  localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
}

ensure_source_lists() {
  local src=/etc/apt/sources.list.d/debian-src.sources
  [ -f "$src" ] && return
  sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources > "$src"
  apt-get update -qq
}

# Builds a static library from Debian's source package with the project's toolchain.
build_source_package() {
  local name=$1 stamp=$2; shift 2
  [ -f "$stamp" ] && return
  ensure_source_lists
  log "building $name from Debian's source package"
  local work=$deps/src-$name
  rm -rf "$work" && mkdir -p "$work"
  (cd "$work" && apt-get source -qq "$name" >/dev/null 2>&1)
  local dir
  dir=$(find "$work" -mindepth 1 -maxdepth 1 -type d | head -n 1)
  cmake -S "$dir" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686-posix.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$deps/prefix" "$@" >"$work/configure.log" 2>&1
  cmake --build "$work/build" >/dev/null
  cmake --install "$work/build" >/dev/null
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
