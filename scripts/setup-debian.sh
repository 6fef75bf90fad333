#!/usr/bin/env bash
# Installs what building and testing Velmora needs on a Debian machine, and
# only what is missing. Safe to run again.
set -euo pipefail

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
    apt_stale=1
fi

for p in cmake g++ googletest libgtest-dev libbenchmark-dev libstb-dev clang \
         g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix mingw-w64-i686-dev \
         wine wine64 wine32:i386 xvfb xauth imagemagick fonts-wqy-microhei locales x11-utils strace; do
    have "$p" || need+=("$p")
done

if [ ${#need[@]} -gt 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${need[@]}"
fi

# Wine maps file names through the Unix locale: without zh_CN.UTF-8 it cannot
# open files with Chinese names.
if ! locale -a 2>/dev/null | grep -qiE '^zh_CN\.utf-?8$'; then
    sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
    grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen >/dev/null
fi

# Some virtual machines cannot run 32-bit x86 Linux code at all, and the
# 32-bit half of Wine is such code. There the kernel is told to run it
# through qemu's user-mode emulator instead (slow to start, but exact).
if ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
    have qemu-user-static || { apt-get update -qq; DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends qemu-user-static; }
    [ -e /proc/sys/fs/binfmt_misc/register ] || mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
    for kind in 02 03; do
        name=velmora-i386-$kind
        [ -e "/proc/sys/fs/binfmt_misc/$name" ] && continue
        printf ':%s:M::\\x7fELF\\x01\\x01\\x01\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x%s\\x00\\x03\\x00:\\xff\\xff\\xff\\xff\\xff\\xfe\\xfe\\x00\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xfe\\xff\\xff\\xff:/usr/bin/qemu-i386-static:F' \
            "$name" "$kind" >/proc/sys/fs/binfmt_misc/register
    done
    /lib/ld-linux.so.2 --version >/dev/null 2>&1 || { echo "cannot run 32-bit x86 programs on this machine" >&2; exit 1; }
fi
