#!/usr/bin/env bash
# Idle cost of Velmora.exe against the floor (bench/baseline: the same window,
# process set-up and timers, doing nothing), under Wine on a virtual display.
# A third program, the baseline started with "--clock", also reads the local
# time every second as Velmora must: the gap between the two baselines is the
# cost of that reading alone, which Wine makes dearer than doing nothing.
#
# Each repetition starts the programs one after the other, each as soon as
# the window of the one before has shown (so that no start-up competes with
# another for the CPUs; an idle program takes next to nothing), each in its
# own copy of the build's Wine prefix (so each has its own wineserver, whose
# CPU time is counted apart), lets them idle together, and measures:
#   start-up   launch of the process until its main window is viewable on
#              the display (polled every 10 ms)
#   idle CPU   CPU time of the Windows process over the idle window, in
#              nanoseconds from /proc/PID/task/*/schedstat; the share of its
#              wineserver is shown on its own line
#   peak RSS   VmHWM of the Windows process from /proc/PID/status
# and prints the median, the spread (min..max), the ratio Velmora/baseline and
# the ratio Velmora/(baseline with the clock).
#
# Velmora runs with an Auto.ini that lets every tick pass its guards:
# coordinates filled in, following the sun, all four time lists selected,
# change mode "theme only" (no wallpaper, so no message box).
#
# Settings (environment):
#   VELMORA_BENCH_BUILD    Windows build folder (default build/windows, made
#                          with the "windows" preset when missing)
#   VELMORA_BENCH_REPEATS  repetitions (default 3)
#   VELMORA_BENCH_IDLE     idle window in seconds (default 60)
#   VELMORA_BENCH_SETTLE   seconds between the window showing and the idle
#                          window (default 120), for the creation sequence,
#                          the first transition and the first ticks. Where
#                          32-bit code goes through qemu emulation, code run
#                          for the first time is translated first, which is
#                          start-up cost, not idle cost: there Velmora's CPU
#                          per idle minute kept falling for about three
#                          minutes after its window showed. Where the machine
#                          runs 32-bit code itself nothing is translated, and
#                          a shorter settle will do.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${VELMORA_BENCH_BUILD:-build/windows}
build=$(cd "$(dirname "$build")" && pwd)/$(basename "$build")
repeats=${VELMORA_BENCH_REPEATS:-3}
idle=${VELMORA_BENCH_IDLE:-60}
settle=${VELMORA_BENCH_SETTLE:-120}
startTimeout=600

if [ ! -f "$build/CMakeCache.txt" ]; then
    if [ "$build" = "$root/build/windows" ]; then
        cmake --preset windows >/dev/null
    else
        cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release \
            -DVELMORA_BENCHMARKS=OFF >/dev/null
    fi
fi
cmake --build "$build" -j2 --target Velmora velmora-baseline >/dev/null

work=$(mktemp -d /tmp/velmora-bench.XXXXXX)
xvfbPid=
cleanup() {
    for p in "$work"/prefix-*; do [ -d "$p" ] && WINEPREFIX=$p wineserver -k 2>/dev/null || true; done
    [ -n "$xvfbPid" ] && kill "$xvfbPid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

cc -O2 -o "$work/window_watch" "$root/bench/baseline/window_watch.c" -lX11

# The programs, from a copy of the build's bin folder, with the settings file.
cp -a "$build/bin" "$work/app"
printf '[基础]\r\n开机自启=0\r\n经度=116.4\r\n纬度=39.9\r\n时间自定=1\r\n白时=7\r\n黑时=19\r\n白分=0\r\n黑分=0\r\n[个性]\r\n方式=1\r\n白壁=0\r\n黑壁=0\r\n白壁地址=\r\n黑壁地址=\r\n' |
    iconv -f UTF-8 -t GBK >"$work/app/Auto.ini"

# A display of our own, so that nothing else on it takes CPU or windows.
n=$(( ($$ % 300) + 600 ))
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfbPid=$!
export DISPLAY=":$n"
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done

# The build's prefix (made from the cached template by the test wrapper).
VELMORA_WINE_HOME=$build "$root/cmake/wine-run.sh" --prepare
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=zh_CN.UTF-8

# CPU nanoseconds of every thread of a process (0 once it is gone).
cpuNs() {
    local sum=0 t v
    for t in /proc/"$1"/task/*/schedstat; do
        read -r v _ 2>/dev/null <"$t" || continue
        sum=$((sum + v))
    done
    echo "$sum"
}
peakKb() { awk '/^VmHWM:/ { print $2 }' /proc/"$1"/status 2>/dev/null || echo 0; }
# The wineserver of a prefix: the one whose environment names it.
serverPid() {
    local p
    for p in $(pgrep wineserver); do
        if tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$1"; then echo "$p"; return; fi
    done
    echo 0
}

names=(velmora baseline clock)
declare -A exe=([velmora]=Velmora.exe [baseline]=velmora-baseline.exe [clock]=velmora-baseline.exe)
declare -A args=([clock]=--clock)
declare -A caption=([velmora]=Velmora [baseline]=VelmoraBaseline [clock]=VelmoraBaselineClock)
declare -A results
# The figures measured, each with its label.
rows=("start:start-up to window shown (ms)" "cpu:CPU over the idle window (us)"
    "server:its wineserver, same window (us)" "peak:peak resident set VmHWM (kB)")

for rep in $(seq "$repeats"); do
    echo "repetition $rep of $repeats ..." >&2
    declare -A pid=() server=() cpu0=() srv0=()
    for name in "${names[@]}"; do
        rm -rf "$work/prefix-$name"
        cp -a "$build/wine/prefix" "$work/prefix-$name"
        # Bring up the prefix's services with the fast 64-bit loader, so that
        # the start-up figure is the program's own.
        WINEPREFIX=$work/prefix-$name wineserver -p
        WINEPREFIX=$work/prefix-$name /usr/lib/wine/wine64 cmd /c exit >/dev/null 2>&1 || true
        server[$name]=$(serverPid "$work/prefix-$name")
    done
    # The copies are large: their write-back would otherwise compete with the
    # start-ups measured next.
    sync
    # Each repetition launches another program first.
    first=$(( (rep - 1) % ${#names[@]} ))
    order=("${names[@]:first}" "${names[@]:0:first}")
    cd "$work/app"
    for name in "${order[@]}"; do
        "$work/window_watch" "$startTimeout" "${caption[$name]}" >"$work/shown" &
        watchPid=$!
        launchedAt=$(date +%s%N)
        # shellcheck disable=SC2086 # the arguments, if any, are one word
        WINEPREFIX=$work/prefix-$name wine "${exe[$name]}" ${args[$name]:-} >/dev/null 2>&1 &
        pid[$name]=$!
        wait "$watchPid" || { echo "the window of ${exe[$name]} did not show within ${startTimeout} s" >&2; exit 1; }
        read -r _ shownAt <"$work/shown"
        results[$name,start,$rep]=$(( (shownAt - launchedAt) / 1000000 ))
    done
    cd "$root"
    sleep "$settle"
    for name in "${names[@]}"; do
        cpu0[$name]=$(cpuNs "${pid[$name]}")
        srv0[$name]=$(cpuNs "${server[$name]}")
    done
    sleep "$idle"
    for name in "${names[@]}"; do
        kill -0 "${pid[$name]}" 2>/dev/null || { echo "${exe[$name]} ended during the idle window" >&2; exit 1; }
        results[$name,cpu,$rep]=$(( ($(cpuNs "${pid[$name]}") - cpu0[$name]) / 1000 ))
        results[$name,server,$rep]=$(( ($(cpuNs "${server[$name]}") - srv0[$name]) / 1000 ))
        results[$name,peak,$rep]=$(peakKb "${pid[$name]}")
    done
    # The settings file must have let the ticks through: the first one
    # writes the light-mode values.
    if ! WINEPREFIX=$work/prefix-velmora /usr/lib/wine/wine64 reg query \
        'HKCU\SOFTWARE\Microsoft\Windows\CurrentVersion\Themes\Personalize' /v AppsUseLightTheme 2>/dev/null |
        grep -q AppsUseLightTheme; then
        echo "Velmora.exe applied no look: its ticks did not pass their guards" >&2
        exit 1
    fi
    for name in "${names[@]}"; do
        kill "${pid[$name]}" 2>/dev/null || true
        WINEPREFIX=$work/prefix-$name wineserver -k 2>/dev/null || true
        wait "${pid[$name]}" 2>/dev/null || true
    done
    line="  velmora / baseline / baseline with the clock:"
    for row in "${rows[@]}"; do
        figure=${row%%:*}
        line+=" ${row#*:} ${results[velmora,$figure,$rep]} / ${results[baseline,$figure,$rep]} / ${results[clock,$figure,$rep]};"
    done
    echo "${line%;}" >&2
done

# median, min and max of the repetitions of one figure
stats() {
    local name=$1 figure=$2 r
    for r in $(seq "$repeats"); do echo "${results[$name,$figure,$r]}"; done |
        sort -n | awk '{ v[NR] = $1 } END { m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2;
                                            printf "%s %s %s\n", m, v[1], v[NR] }'
}

echo
ratioOf() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }'; }
echo "Velmora.exe against the do-nothing baseline: $repeats runs, ${idle} s idle each (median, min..max)"
printf '%-34s %24s %24s %24s %8s %8s\n' figure Velmora baseline "baseline with the clock" ratio "ratio to clock"
for row in "${rows[@]}"; do
    figure=${row%%:*}
    read -r vm vlo vhi < <(stats velmora "$figure")
    read -r bm blo bhi < <(stats baseline "$figure")
    read -r cm clo chi < <(stats clock "$figure")
    printf '%-34s %24s %24s %24s %8s %8s\n' "${row#*:}" "$vm ($vlo..$vhi)" "$bm ($blo..$bhi)" "$cm ($clo..$chi)" \
        "$(ratioOf "$vm" "$bm")" "$(ratioOf "$vm" "$cm")"
done
