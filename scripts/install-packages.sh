#!/usr/bin/env bash
# Installs the Debian 12 packages Velmora needs, as root: with "program",
# what building and running the Linux program takes; with "package", also
# what making its packages takes (the Debian package and the Windows ZIPs);
# with "all" (the default), also everything the tests use. Quiet when all is
# well; apt's own output is shown only if it fails.
set -euo pipefail
set=${1:-all}

packages=(
    # build
    cmake g++ make pkg-config python3
    # the Qt window, and a sans-serif face close to the window's own
    qt6-base-dev fonts-liberation
)
[ "$set" = program ] || packages+=(
    # the Debian package's dependencies worked out
    dpkg-dev file
    # Velmora.exe: cross compilers, and exact decimal reading for 32-bit x86
    mingw-w64 libfast-float-dev
)
[ "$set" != all ] || packages+=(
    # tests and benchmarks: units, locales, the program under a real X server
    libgtest-dev libgmock-dev libbenchmark-dev locales xz-utils
    xvfb xauth xdotool x11-utils libx11-dev imagemagick valgrind
    # the calculation core as 32-bit Linux code, run under emulation
    g++-multilib qemu-user
    # fuzzing: clang with libFuzzer and the sanitizer runtimes
    clang libclang-rt-14-dev
    # package checks: validators, hardening-check, archives
    lintian devscripts desktop-file-utils appstream unzip
    # Wine to run both Windows builds (the 32-bit one where the kernel runs
    # 32-bit programs)
    wine64 wine32:i386
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
        || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing ${missing[*]}"
log=$(mktemp)
if [[ " ${missing[*]} " = *:i386\ * ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
fi
if ! { apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"; } >"$log" 2>&1; then
    cat "$log"
    exit 1
fi
rm -f "$log"
