#!/usr/bin/env bash
# Installs the Debian packages Velmora needs (Debian 12 or 13), as root: with "program",
# what building and running the Linux program takes; with "web", what
# building the web version takes; with "package", also
# what making its packages takes (the Debian package, the Windows ZIPs and
# installers, and the web version's ZIP);
# with "all" (the default), also everything the tests use. Quiet when all is
# well; apt's own output is shown only if it fails.
set -euo pipefail
set=${1:-all}
arch=$(dpkg --print-architecture)

packages=(
    # build
    cmake g++ make pkg-config python3
)
if [ "$set" = web ]; then
    # the web build: emscripten, with Node, which its tests run under
    packages+=(emscripten)
else
    # the Qt window, and a sans-serif face close to the window's own
    packages+=(qt6-base-dev libxcb1-dev fonts-liberation)
fi
[ "$set" = program ] || [ "$set" = web ] || packages+=(
    # the Debian package's dependencies worked out
    dpkg-dev file
    # Velmora.exe: cross compilers, and exact decimal reading for 32-bit x86
    mingw-w64 libfast-float-dev
    # its Windows Installer packages, with their clock held at the commit's
    wixl msitools faketime
    # the web version
    emscripten
)
# Elsewhere than on arm64, the arm64 program and package too: the cross
# compiler and the arm64 libraries beside this machine's own.
[ "$set" = program ] || [ "$set" = web ] || [ "$arch" = arm64 ] || packages+=(
    g++-aarch64-linux-gnu qt6-base-dev:arm64 libxcb1-dev:arm64
)
[ "$set" != all ] || packages+=(
    # tests and benchmarks: units, locales, the program under a real X server
    libgtest-dev libgmock-dev libbenchmark-dev locales xz-utils
    xvfb xauth xdotool x11-utils libx11-dev imagemagick valgrind
    # the calculation core on other processors, run under emulation: a
    # big-endian one (s390x) everywhere
    qemu-user g++-s390x-linux-gnu
    # fuzzing: clang with libFuzzer and the sanitizer runtimes (those of
    # the release's clang: see clang_runtime)
    clang
    # the web version's page in Chromium, driven through chromedriver
    chromium chromium-driver python3-selenium
    # package checks: validators, hardening-check, archives
    lintian devscripts desktop-file-utils appstream unzip
    # Qt's GNOME platform theme, which GNOME and the desktops like it get
    qt6-gtk-platformtheme
)
[ "$set" != all ] || [ "$arch" = arm64 ] || packages+=(libx11-dev:arm64)
[ "$set" != all ] || [ "$arch" != amd64 ] || packages+=(
    # the calculation core as 32-bit x86 code
    g++-i686-linux-gnu
    # Wine to run both Windows builds (the 32-bit one where the kernel runs
    # 32-bit programs), and its fonts, with the title bar's symbols
    wine64 wine32:i386 fonts-wine
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
# libFuzzer and the sanitizer runtimes of the clang the release installs
# (libclang-rt-14-dev on Debian 12, -19- on 13), as its clang package names
# that version; nothing before the package lists are read.
clang_runtime() {
    local depends
    if installed clang; then
        depends=$(dpkg-query -W -f='${Depends}' clang)
    else
        depends=$(apt-cache show --no-all-versions clang 2>/dev/null | sed -n 's/^Depends: //p')
    fi
    sed -n 's/^.*\bclang-\([0-9][0-9]*\)\b.*$/libclang-rt-\1-dev/p' <<<"$depends" | head -n1
}
missing=() missing_lean=()
[ "$set" != all ] || runtime=$(clang_runtime)
[ -z "${runtime:-}" ] || packages+=("$runtime")
for package in "${packages[@]}"; do installed "$package" || missing+=("$package"); done
for package in "${lean[@]}"; do installed "$package" || missing_lean+=("$package"); done
[ ${#missing[@]} -eq 0 ] && [ ${#missing_lean[@]} -eq 0 ] && exit 0

echo "Installing ${missing[*]} ${missing_lean[*]}"
log=$(mktemp)
for foreign in i386 arm64; do
    if [[ " ${missing[*]} " = *:$foreign\ * ]] && ! dpkg --print-foreign-architectures | grep -qx $foreign; then
        dpkg --add-architecture $foreign
    fi
done
apt-get update -q >"$log" 2>&1 || { cat "$log"; exit 1; }
if [ "$set" = all ] && [ -z "${runtime:-}" ]; then
    runtime=$(clang_runtime)
    [ -n "$runtime" ] || { echo "No clang package in this release's package lists" >&2; exit 1; }
    missing+=("$runtime")
fi
install=(env DEBIAN_FRONTEND=noninteractive apt-get install -y -q)
if ! { { [ ${#missing[@]} -eq 0 ] || "${install[@]}" "${missing[@]}"; } &&
       { [ ${#missing_lean[@]} -eq 0 ] || "${install[@]}" --no-install-recommends "${missing_lean[@]}"; }
     } >"$log" 2>&1; then
    cat "$log"
    exit 1
fi
rm -f "$log"
