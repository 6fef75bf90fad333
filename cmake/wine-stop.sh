#!/usr/bin/env bash
# Ends what cmake/wine-run.sh started for a build folder: the Wine server of
# the test prefix and the virtual display.
build=${1:?build folder}
state=$build/wine
[ -d "$state/prefix" ] && WINEPREFIX=$state/prefix wineserver -k 2>/dev/null
if [ -f "$state/xvfb.pid" ]; then
    kill "$(cat "$state/xvfb.pid")" 2>/dev/null
    rm -f "$state/xvfb.pid" "$state/display"
fi
exit 0
