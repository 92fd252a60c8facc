# Sourced by the run and test scripts: the Wine environment of one project prefix.
# Usage: source tools/wine-env.sh <prefix folder>
export WINEPREFIX=$1
export WINEARCH=win32
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=-all
export LC_ALL=ja_JP.UTF-8
export LANG=ja_JP.UTF-8
