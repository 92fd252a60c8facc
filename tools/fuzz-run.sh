#!/usr/bin/env bash
# Runs afl-fuzz on one fuzz target from its seed corpus; fails when afl-fuzz saved a crash or
# a hang (their inputs are listed: once fixed, copy each into the seed corpus).
# Usage: fuzz-run.sh <target> <seed folder> <output folder> <afl-fuzz limits...>
#   ctest: fuzz-run.sh build/fuzz/bin/fuzz_reg_file tests/fuzz/corpus/reg_file out -s 1 -E 2000
#   longer: fuzz-run.sh build/fuzz/bin/fuzz_reg_file tests/fuzz/corpus/reg_file out -V 600
set -uo pipefail
target=$1 seeds=$2 out=$3
shift 3
export AFL_NO_UI=1 AFL_NO_AFFINITY=1 AFL_SKIP_CPUFREQ=1 AFL_I_DONT_CARE_ABOUT_MISSING_CRASHES=1
rm -rf "$out"
mkdir -p "$out"
# A generous time limit: a loaded machine must not turn a slow run into a hang.
afl-fuzz "$@" -m none -t 5000 -i "$seeds" -o "$out" -- "$target" >"$out/afl-fuzz.log" 2>&1
status=$?
found=$(find "$out"/default/crashes "$out"/default/hangs -type f ! -name README.txt 2>/dev/null)
if [ -n "$found" ]; then
  echo "afl-fuzz saved inputs that fail $target:"
  echo "$found"
  exit 1
fi
if [ $status -ne 0 ]; then
  tail -n 30 "$out/afl-fuzz.log"
  exit $status
fi
grep -a "Statistics" "$out/afl-fuzz.log" | sed 's/\x1b\[[0-9;]*m//g'
