#!/usr/bin/env bash
# Start-up of the web version against the least page with the same controls
# (see run.py), in headless Chromium; or, with "lighthouse", both pages as
# Lighthouse audits them (see lighthouse.py). Builds the site with the web
# preset first. Run by hand:
#   bash bench/web/run.sh [runs]              (9 unless told)
#   bash bench/web/run.sh lighthouse [runs]   (5 unless told)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
cmake --preset web >/dev/null
cmake --build --preset web --target velmora_site -- --no-print-directory >/dev/null
if [ "${1:-}" = lighthouse ]; then
    /usr/bin/python3 bench/web/lighthouse.py build/web/site "${2:-5}"
else
    /usr/bin/python3 bench/web/run.py build/web/site "${1:-9}"
fi
