#!/usr/bin/env bash
# Installs the Debian packages Velmora needs (Debian 12 or 13), as root:
#   program  what building and running the Linux program takes;
#   web      what building the web version takes;
#   package  what making every package and release file takes;
#   all      (the default) also everything the tests use.
# Quiet when all is well; apt's own output is shown only if it fails.
set -euo pipefail
set=${1:-all}
arch=$(dpkg --print-architecture)

# One list a set. "[amd64]" keeps a package to amd64 machines, "[!arm64]"
# keeps it off arm64 ones, as in a Debian package's Build-Depends.
program=(
    cmake g++ make pkg-config python3
    # the Qt window, and a sans-serif face close to the window's own
    qt6-base-dev libxcb1-dev fonts-liberation
)
web=(
    cmake make python3
    # the web build, with Node, which its tests run under
    emscripten
)
package=(
    "${program[@]}" "${web[@]}"
    # the Debian package's dependencies worked out; the arm64 package
    dpkg-dev file "g++-aarch64-linux-gnu [!arm64]" "qt6-base-dev:arm64 [!arm64]" "libxcb1-dev:arm64 [!arm64]"
    # Velmora.exe: cross compilers, and exact decimal reading for 32-bit x86
    mingw-w64 libfast-float-dev
    # its Windows Installer packages, with their clock held at the commit's;
    # Authenticode signatures on them and the program; the Windows Package
    # Manager's manifests
    wixl msitools faketime osslsigncode openssl python3-yaml
    # the source archive, checksums and signatures, the apt repository
    git xz-utils gpg apt-utils
)
tests=(
    "${package[@]}"
    # units, locales, the program under a real X server
    libgtest-dev libgmock-dev libbenchmark-dev locales
    xvfb xauth xdotool x11-utils libx11-dev "libx11-dev:arm64 [!arm64]" imagemagick valgrind
    # the calculation core on other processors, under emulation: a
    # big-endian one (s390x) everywhere, 32-bit x86 on amd64
    qemu-user g++-s390x-linux-gnu "g++-i686-linux-gnu [amd64]"
    # fuzzing: clang with libFuzzer and the sanitizer runtimes (those of the
    # release's clang: see clang_runtime)
    clang
    # the web version's page in the three engines: Chromium through
    # chromedriver, Firefox ESR over WebDriver BiDi, WebKitGTK's MiniBrowser
    # through WebKitWebDriver
    chromium chromium-driver python3-selenium firefox-esr python3-websockets
    webkit2gtk-driver libwebkit2gtk-4.1-0
    # package checks: validators, hardening-check, archives, bare systems
    # to install the repository's packages into
    lintian devscripts desktop-file-utils appstream unzip debootstrap
    # the Windows Package Manager's manifests checked against its schemas
    python3-jsonschema
    # Qt's GNOME platform theme, which GNOME and the desktops like it get
    qt6-gtk-platformtheme
    # Wine for the 64-bit Windows build, and its fonts, with the title
    # bar's symbols
    "wine64 [amd64]" "fonts-wine [amd64]"
)
# Installed without their recommends, which would bring whole desktops.
tests_lean=(
    # the program under the window managers of KDE (on X11, and on Wayland
    # with Xwayland), GNOME and a lean desktop, with KDE's window decoration,
    # a session bus, and Qt's Wayland platform that it must not pick where an
    # X server is at hand
    kwin-x11 kwin-wayland xwayland breeze mutter openbox dbus qt6-wayland
    # and as a screen reader meets it: the accessibility bus, its Python
    # client, and Orca
    at-spi2-core python3-pyatspi orca
)
# npm, for what the web tests take from its registry, where Node.js came
# without it (Debian's own is a package of its own).
command -v npm >/dev/null || tests+=(npm ca-certificates)
# Needed by some tests only, which say they are skipped without it: the
# 32-bit Wine, for the 32-bit Windows build's tests.
tests_optional=("wine32:i386 [amd64]")

case $set in
    program) wanted=("${program[@]}") lean=() optional=() ;;
    web) wanted=("${web[@]}") lean=() optional=() ;;
    package) wanted=("${package[@]}") lean=() optional=() ;;
    all) wanted=("${tests[@]}") lean=("${tests_lean[@]}") optional=("${tests_optional[@]}") ;;
    *) echo "install-packages.sh: no set \"$set\" (program, web, package or all)" >&2; exit 2 ;;
esac

# The packages of a list that this machine takes, without restrictions.
for_this_machine() {
    local entry name restriction
    for entry in "$@"; do
        name=${entry%% *} restriction=
        [ "$name" = "$entry" ] || restriction=${entry#* }
        case $restriction in
            '') ;;
            "[$arch]") ;;
            "[!"*"]") [ "$restriction" != "[!$arch]" ] || continue ;;
            *) continue ;;
        esac
        echo "$name"
    done
}
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
missing() {
    local package
    for package in $(for_this_machine "$@" | sort -u); do installed "$package" || echo "$package"; done
}
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

[ "$set" != all ] || runtime=$(clang_runtime)
[ -z "${runtime:-}" ] || wanted+=("$runtime")
mapfile -t missing_wanted < <(missing "${wanted[@]}")
mapfile -t missing_lean < <(missing "${lean[@]}")
mapfile -t missing_optional < <(missing "${optional[@]}")
all_missing=("${missing_wanted[@]}" "${missing_lean[@]}" "${missing_optional[@]}")
[ ${#all_missing[@]} -eq 0 ] && exit 0

echo "Installing ${all_missing[*]}"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
# Adds the foreign architectures that packages named as name:arch need.
add_architectures() {
    local package foreign
    for package in "$@"; do
        foreign=${package#*:}
        if [ "$foreign" != "$package" ] && ! dpkg --print-foreign-architectures | grep -qx "$foreign"; then
            dpkg --add-architecture "$foreign"
        fi
    done
}
# A mirror in the middle of a sync can fail one index ("File has unexpected
# size"). apt tries again, then keeps that suite's old lists, or none, and
# the install goes on with the rest: apt names what it then cannot install.
update() {
    apt-get update -q -o Acquire::Retries=3 >"$log" 2>&1 && return 0
    echo "apt-get update could not read every package list; going on with the others:"
    grep '^E: Failed to fetch' "$log" | cut -c1-160 || cat "$log"
}
install() { DEBIAN_FRONTEND=noninteractive apt-get install -y -q -o Acquire::Retries=3 "$@" >"$log" 2>&1; }

# The optional packages' architectures wait (see below); one added by an
# earlier run that installed nothing of it goes (dpkg keeps one in use).
for package in "${missing_optional[@]}"; do
    [ "${package#*:}" = "$package" ] || dpkg --remove-architecture "${package#*:}" 2>/dev/null || true
done
add_architectures "${missing_wanted[@]}" "${missing_lean[@]}"
if [ ${#missing_wanted[@]} -gt 0 ] || [ ${#missing_lean[@]} -gt 0 ] || [ -z "${runtime:-}" ]; then
    update
fi
if [ "$set" = all ] && [ -z "${runtime:-}" ]; then
    runtime=$(clang_runtime)
    [ -n "$runtime" ] || { echo "No clang package in this release's package lists" >&2; exit 1; }
    missing_wanted+=("$runtime")
fi
if ! { { [ ${#missing_wanted[@]} -eq 0 ] || install "${missing_wanted[@]}"; } &&
       { [ ${#missing_lean[@]} -eq 0 ] || install --no-install-recommends "${missing_lean[@]}"; }; }; then
    cat "$log"
    exit 1
fi
# The optional packages last, and their architectures only now: a suite
# whose index for such an architecture fails is not updated at all, which
# would hold back the packages everything needs.
[ ${#missing_optional[@]} -gt 0 ] || exit 0
before=$(dpkg --print-foreign-architectures)
add_architectures "${missing_optional[@]}"
[ "$before" = "$(dpkg --print-foreign-architectures)" ] || update
if ! install "${missing_optional[@]}"; then
    echo "Not installed: ${missing_optional[*]}; the tests that need it will say they are skipped. apt said:"
    for package in "${missing_optional[@]}"; do grep -m1 -F " $package :" "$log" || true; done
    grep -m1 '^E:' "$log" || true
    # An architecture added for them alone goes again, so that its failing
    # index holds back no later update.
    for foreign in $(dpkg --print-foreign-architectures); do
        grep -qx "$foreign" <<<"$before" || dpkg --remove-architecture "$foreign" 2>/dev/null || true
    done
fi
exit 0
