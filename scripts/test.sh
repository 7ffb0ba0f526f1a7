#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the Windows builds
# under Wine (the 32-bit one where the kernel runs 32-bit programs, skipped
# elsewhere), the calculation core as 32-bit x86 code under qemu-i386, the
# fuzz targets for a minute each, everything again under ASan and UBSan, and
# last the Linux build, whose summary closes the run.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-packages.sh
presets=(windows-x86 windows-x64 linux-x86 fuzz asan dev)
for preset in "${presets[@]}"; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j"$(nproc)" -- --no-print-directory >/dev/null
done
/usr/lib/wine/wine --version >/dev/null 2>&1 \
    || echo "This kernel cannot run 32-bit programs: the 32-bit Wine tests will be skipped."
for preset in "${presets[@]}"; do
    ctest --preset "$preset" -j"$(nproc)"
done
