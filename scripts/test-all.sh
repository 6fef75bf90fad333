#!/usr/bin/env bash
# Builds everything and runs every test: the native tests, the same tests
# under AddressSanitizer and UndefinedBehaviorSanitizer, and the Windows
# build's tests under Wine (in a virtual display when there is none), then a
# short run of each fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."

sudo_if_needed() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
sudo_if_needed bash scripts/setup-debian.sh

for preset in native native-sanitize windows; do
    echo "=== $preset: configure and build"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done

status=0
for preset in native native-sanitize windows; do
    echo "=== $preset: tests"
    ctest --preset "$preset" || status=1
done
# Last: every fuzz target for a few seconds (clang, libFuzzer).
echo "=== fuzz: short runs"
bash scripts/fuzz-short.sh || status=1
exit $status
