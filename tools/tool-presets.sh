#!/usr/bin/env bash
# The run prefix's TeX, BibTeX and MakeIndex modules preset to the launcher's copies of
# Debian's platex, pbibtex and mendex (build/hosttex), unless TeX has a program already.
# Usage, with the prefix's Wine environment set: tools/tool-presets.sh <build folder>
set -euo pipefail
build=$1
root_key='HKCU\Software\Dravenlux\Quolin\4.2\TexModule'
if wine reg query "$root_key\\TeX" /v ExeName </dev/null >/dev/null 2>&1; then
  exit 0
fi
hosttex=$build/hosttex
# The relative names suit TeX: the working folder is the target's folder. TeX comes last, so
# that a run broken off before it is done again.
while read -r subkey program options; do
  key="$root_key\\$subkey"
  exe="Z:${hosttex//\//\\}\\$program.exe"
  wine reg add "$key" /v ExeName /t REG_SZ /d "$exe" /f </dev/null >/dev/null 2>&1
  wine reg add "$key" /v ConsoleOption /t REG_SZ /d "$options" /f </dev/null >/dev/null 2>&1
  wine reg add "$key" /v UseDDE /t REG_BINARY /d 00 /f </dev/null >/dev/null 2>&1
  wine reg add "$key" /v ConsoleCallBack /t REG_BINARY /d 01 /f </dev/null >/dev/null 2>&1
done <<'PRESETS'
Bib pbibtex %nofilespace -kanji=sjis %file.-n%
MakeIdx mendex %nofilespace -S %file.idx-n%
TeX platex %nofilespace -kanji=sjis -interaction=nonstopmode %file.-n%
PRESETS
