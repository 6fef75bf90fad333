#!/usr/bin/env bash
# Builds Velmora.exe and starts it under Wine, on a virtual display when
# there is no display. The program runs until "退出" is pressed.
set -euo pipefail
cd "$(dirname "$0")/.."

sudo_if_needed() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
sudo_if_needed bash scripts/setup-debian.sh

cmake --preset windows >/dev/null
cmake --build --preset windows --target Velmora
cd build/windows/bin
exec ../../../cmake/wine-run.sh ./Velmora.exe
