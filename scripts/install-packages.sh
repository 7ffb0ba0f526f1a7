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
    qt6-base-dev libxcb1-dev fonts-liberation
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
# Installed without their recommends, which would bring whole desktops.
lean=()
[ "$set" != all ] || lean+=(
    # the program under the window managers of KDE (on X11, and on Wayland
    # with Xwayland), GNOME and a lean desktop, with KDE's window decoration,
    # a session bus, and Qt's Wayland platform that it must not pick where an
    # X server is at hand
    kwin-x11 kwin-wayland xwayland breeze mutter openbox dbus qt6-wayland
    # and as a screen reader meets it: the accessibility bus, its Python
    # client, and Orca
    at-spi2-core python3-pyatspi orca
)

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
missing=() missing_lean=()
for package in "${packages[@]}"; do installed "$package" || missing+=("$package"); done
for package in "${lean[@]}"; do installed "$package" || missing_lean+=("$package"); done
[ ${#missing[@]} -eq 0 ] && [ ${#missing_lean[@]} -eq 0 ] && exit 0

echo "Installing ${missing[*]} ${missing_lean[*]}"
log=$(mktemp)
if [[ " ${missing[*]} " = *:i386\ * ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
fi
install=(env DEBIAN_FRONTEND=noninteractive apt-get install -y -q)
if ! { apt-get update -q &&
       { [ ${#missing[@]} -eq 0 ] || "${install[@]}" "${missing[@]}"; } &&
       { [ ${#missing_lean[@]} -eq 0 ] || "${install[@]}" --no-install-recommends "${missing_lean[@]}"; }
     } >"$log" 2>&1; then
    cat "$log"
    exit 1
fi
rm -f "$log"
