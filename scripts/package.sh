#!/usr/bin/env bash
# Installs what is missing, builds, and makes Velmora's packages in
# build/packages: the Debian package for this machine and, on other
# machines than arm64 ones, for arm64 too; the Windows ZIPs and
# Windows Installer packages; and the web version's site as a ZIP.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-packages.sh package
out=$PWD/build/packages
mkdir -p "$out"
presets=(release windows-x86 windows-x64 web)
[ "$(dpkg --print-architecture)" = arm64 ] || presets+=(linux-arm64)
# Each in a build folder of its own, without tests: the presets' own folders
# keep what the test command configured there.
for preset in "${presets[@]}"; do
    build=build/package-builds/$preset
    cmake --preset "$preset" -B "$build" -DBUILD_TESTING=OFF >/dev/null
    cmake --build "$build" -j"$(nproc)" -- --no-print-directory >/dev/null
    case $preset in
        web) cp "$build"/velmora-*-web.zip "$out/" ;;  # made by the build
        *) (cd "$build" && cpack -B "$out" >/dev/null) ;;
    esac
    [[ $preset != windows-* ]] || cp "$build"/packaging/Velmora-*.msi "$out/"
done
rm -rf "$out/_CPack_Packages"
ls "$out"
