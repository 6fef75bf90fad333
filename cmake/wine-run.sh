#!/usr/bin/env bash
# Runs a Windows program under Wine the way the tests need it: a throw-away
# prefix inside the build folder, Chinese locale (ANSI code page 936), no
# Mono or Gecko prompts, no debug noise, and a virtual display when there is
# none. The prefix and the display are made once and shared by every test;
# a lock keeps parallel tests from racing to make them.
set -euo pipefail

build=${VELMORA_WINE_HOME:-$PWD}
# ctest runs tests from their binary directory; find the top of the build.
while [ ! -f "$build/CMakeCache.txt" ] && [ "$build" != / ]; do build=$(dirname "$build"); done
[ -f "$build/CMakeCache.txt" ] || build=${VELMORA_WINE_HOME:-$PWD}
state=$build/wine
mkdir -p "$state"

export WINEPREFIX=$state/prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=zh_CN.UTF-8

exec 9>"$state/lock"
flock 9
if [ -z "${DISPLAY:-}" ]; then
    if [ -f "$state/display" ] && kill -0 "$(cat "$state/xvfb.pid" 2>/dev/null)" 2>/dev/null; then
        DISPLAY=$(cat "$state/display")
    else
        n=$(( ($$ % 400) + 100 ))
        while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
        Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 9>&- &
        echo $! >"$state/xvfb.pid"
        echo ":$n" >"$state/display"
        DISPLAY=":$n"
        for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    fi
    export DISPLAY
fi
if [ ! -f "$state/prefix-ready" ]; then
    # A new prefix takes minutes where Wine's 32-bit half is emulated, so a
    # fresh one is kept as a template per Wine version and copied for every
    # later build folder; each build folder still gets its own copy.
    template=${XDG_CACHE_HOME:-$HOME/.cache}/velmora/wine-prefix-$(/usr/lib/wine/wine64 --version 2>/dev/null | tr -c 'a-zA-Z0-9.\n' _)
    rm -rf "$WINEPREFIX"
    if [ -f "$template/.complete" ]; then
        cp -a "$template/prefix" "$WINEPREFIX"
    else
        /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 9>&- || true
        wineserver -w 9>&- || true
        mkdir -p "$template" && rm -rf "$template/prefix" &&
            cp -a "$WINEPREFIX" "$template/prefix" && touch "$template/.complete" || true
    fi
    touch "$state/prefix-ready"
fi
flock -u 9
exec 9>&-

# "--prepare" only makes the prefix and the display.
[ "${1:-}" = --prepare ] && exit 0

exec wine "$@"
