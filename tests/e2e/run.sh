#!/usr/bin/env bash
# Runs the end-to-end driver under Wine against the built Velmora.exe and
# answers its requests for pictures of the window with ImageMagick's import
# (from the display Wine draws on), as PNG files.
# usage: run.sh <source dir> <build dir> <driver.exe> <folder of Velmora.exe> <screenshot folder>
set -euo pipefail
src=$1 build=$2 driver=$3 app=$4 shots=$5
rm -rf "$shots"
mkdir -p "$shots"
winpath() { printf 'Z:%s' "$(printf '%s' "$1" | tr / '\\')"; }
cd "$build"
# The display and the prefix first, so that the watcher knows the display.
"$src/cmake/wine-run.sh" --prepare
display=${DISPLAY:-$(cat "$build/wine/display")}

watch() {
    while true; do
        for request in "$shots"/*.request; do
            [ -e "$request" ] || continue
            read -r w h x y <"$request" || true
            DISPLAY=$display /usr/bin/import -window root -crop "${w}x${h}+${x}+${y}" +repage \
                "${request%.request}.png" 2>/dev/null || true
            rm -f "$request"
        done
        sleep 0.2
    done
}
watch &
watcher=$!
trap 'kill $watcher 2>/dev/null || true' EXIT

status=0
"$src/cmake/wine-run.sh" "$driver" "$(winpath "$app")" "$(winpath "$shots")" || status=$?
for bmp in "$shots"/*.bmp; do
    [ -e "$bmp" ] || continue
    python3 "$src/tests/e2e/bmp_to_png.py" "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
exit $status
