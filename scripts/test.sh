#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test this machine can: the
# Windows builds under Wine (the 32-bit one where the kernel runs 32-bit
# programs, skipped elsewhere), the calculation core as 32-bit x86 code under
# qemu-i386, the whole arm64 program under qemu-aarch64, the core on a
# big-endian processor under qemu-s390x, the WebAssembly build's tests under
# Node, the fuzz targets for a minute each,
# everything again under ASan and UBSan, a whole release made, installed and
# upgraded, and last this machine's own Linux build, whose summary closes
# the run.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-packages.sh
arch=$(dpkg --print-architecture)
presets=()
if [ "$arch" = amd64 ]; then
    presets+=(windows-x86 windows-x64 linux-x86)
else
    echo "Skipped on this $arch machine: windows-x86 and windows-x64 (Wine runs x86 Windows programs on x86 machines only), linux-x86 (its cross compiler is installed on amd64 machines only)."
fi
if [ "$arch" != arm64 ]; then
    presets+=(linux-arm64)
else
    echo "Skipped on this arm64 machine: linux-arm64 (the dev build below is the arm64 build)."
fi
presets+=(linux-s390x web fuzz asan dev)
for preset in "${presets[@]}"; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j"$(nproc)" -- --no-print-directory >/dev/null
done
if [ "$arch" = amd64 ] && [ ! -x /usr/lib/wine/wine ]; then
    echo "The 32-bit Wine is not installed: the 32-bit Windows build's tests will be skipped."
elif [ "$arch" = amd64 ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo "This kernel cannot run 32-bit programs: the 32-bit Wine tests will be skipped."
fi
for preset in "${presets[@]}"; do
    # The release test (the dev build's, outside its quick loop) before the
    # dev build's own tests, whose summary closes the run.
    [ "$preset" != dev ] || ctest --preset release
    ctest --preset "$preset" -j"$(nproc)"
done
