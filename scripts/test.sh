#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the Windows builds
# (the 32-bit one inspected, the 64-bit one run under Wine), the fuzz targets
# for a minute each, everything again under ASan and UBSan, and last the
# Linux build, whose summary closes the run.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-packages.sh
for preset in windows-x86 windows-x64 fuzz asan dev; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j"$(nproc)" -- --no-print-directory >/dev/null
done
(cd build/windows-x86 && ctest -j"$(nproc)" --output-on-failure --no-tests=error)
for preset in windows-x64 fuzz asan dev; do
    ctest --preset "$preset" -j"$(nproc)"
done
