#!/usr/bin/env bash
# Installs the Debian 12 packages Velmora needs, as root: with "program",
# what building and running the Linux program takes; with "all" (the
# default), also everything the tests use. Quiet when all is well; apt's own
# output is shown only if it fails.
set -euo pipefail

packages=(
    # build
    cmake g++ make pkg-config python3
    # the Qt window, and a sans-serif face close to the window's own
    qt6-base-dev fonts-liberation
)
[ "${1:-all}" = program ] || packages+=(
    # tests and benchmarks: units, locales, the program under a real X server
    libgtest-dev libgmock-dev libbenchmark-dev locales xz-utils
    # 32-bit x86 builds: exact decimal reading, and the calculation core as
    # 32-bit Linux code run under emulation
    libfast-float-dev g++-multilib qemu-user
    xvfb xauth xdotool x11-utils libx11-dev imagemagick valgrind
    # fuzzing: clang with libFuzzer and the sanitizer runtimes
    clang libclang-rt-14-dev
    # packages: dependencies, validators, archives
    dpkg-dev lintian desktop-file-utils appstream unzip
    # Velmora.exe: cross compilers, and Wine to run both builds (the 32-bit
    # one where the kernel runs 32-bit programs)
    mingw-w64 wine64 wine32:i386
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
