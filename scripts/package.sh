#!/usr/bin/env bash
# Installs what is missing, builds, and makes Velmora's packages in
# build/packages: the Debian package for this machine and, on other
# machines than arm64 ones, for arm64 too; and the Windows ZIPs and
# Windows Installer packages.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-packages.sh package
out=$PWD/build/packages
mkdir -p "$out"
presets=(release windows-x86 windows-x64)
[ "$(dpkg --print-architecture)" = arm64 ] || presets+=(linux-arm64)
for preset in "${presets[@]}"; do
    cmake --preset "$preset" -DBUILD_TESTING=OFF >/dev/null
    cmake --build --preset "$preset" -j"$(nproc)" -- --no-print-directory >/dev/null
    (cd "build/$preset" && cpack -B "$out" >/dev/null)
    [[ $preset != windows-* ]] || cp "build/$preset"/packaging/Velmora-*.msi "$out/"
done
rm -rf "$out/_CPack_Packages"
ls "$out"
