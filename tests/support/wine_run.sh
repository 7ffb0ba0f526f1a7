#!/usr/bin/env bash
# Runs a Windows program under wine64 and ends its wineserver afterwards.
# A wineserver, and the desktop process it starts, keep the environment of
# the first program that started them (its X display among it); ending the
# server gives every test a fresh one. Tests using it hold ctest's
# "wineserver" lock, so no two overlap.
# Usage: wine_run.sh [--x-display] <program.exe> [args]
#   --x-display: run under a private Xvfb, for programs that make windows
set -uo pipefail
wine=(/usr/lib/wine/wine64)
if [ "${1:-}" = --x-display ]; then
    shift
    wine=(xvfb-run -a -s "-screen 0 1024x768x24" "${wine[@]}")
fi
"${wine[@]}" "$@"
status=$?
/usr/lib/wine/wineserver -k 2>/dev/null
exit $status
