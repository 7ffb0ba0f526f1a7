#!/usr/bin/env bash
# Runs a Windows program under Wine and ends its wineserver afterwards.
# A wineserver, and the desktop process it starts, keep the environment of
# the first program that started them (its X display among it); ending the
# server gives every test a fresh one. Tests using it hold ctest's
# "wineserver" lock, so no two overlap.
# Usage: wine_run.sh <wine loader> [--x-display] <program.exe> [args]
#   --x-display: run under a private Xvfb, for programs that make windows
# Exits 77 (ctest's skip) when the loader is not installed (the install step
# said why) or the kernel cannot run it: the 32-bit one needs the kernel's
# IA32 emulation, which not every machine has.
set -uo pipefail
loader=$1
shift
if [ ! -x "$loader" ]; then
    echo "SKIP: $loader is not installed (see what the install step said)"
    exit 77
fi
"$loader" --version >/dev/null 2>&1
if [ $? -eq 126 ]; then
    echo "SKIP: this kernel cannot run $loader (no support for its word size)"
    exit 77
fi
wine=("$loader")
if [ "${1:-}" = --x-display ]; then
    shift
    wine=(xvfb-run -a -s "-screen 0 1024x768x24" "${wine[@]}")
fi
"${wine[@]}" "$@"
status=$?
/usr/lib/wine/wineserver -k 2>/dev/null
exit $status
