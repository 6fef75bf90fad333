#!/usr/bin/env bash
# Runs the end-to-end driver under Wine against the built Velmora.exe and
# turns the pictures it takes into PNG files.
# usage: run.sh <source dir> <build dir> <driver.exe> <folder of Velmora.exe> <screenshot folder>
set -euo pipefail
src=$1 build=$2 driver=$3 app=$4 shots=$5
rm -rf "$shots"
mkdir -p "$shots"
winpath() { printf 'Z:%s' "$(printf '%s' "$1" | tr / '\\')"; }
cd "$build"
status=0
"$src/cmake/wine-run.sh" "$driver" "$(winpath "$app")" "$(winpath "$shots")" || status=$?
for bmp in "$shots"/*.bmp; do
    [ -e "$bmp" ] || continue
    python3 "$src/tests/e2e/bmp_to_png.py" "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
exit $status
