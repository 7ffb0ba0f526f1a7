#!/usr/bin/env bash
# Installs what is missing, builds the web version of Velmora and serves it
# on this machine, at the address it prints, until stopped (Ctrl+C). The
# site is built without tests where package.sh builds it, and copied
# nowhere; it is served as tests/support/local_site.py says a host should.
# Usage: serve-web.sh [port]   (8000 unless told)
set -euo pipefail
cd "$(dirname "$0")/.."
port=${1:-8000}

bash scripts/install-packages.sh web
build=build/package-builds/web
cmake --preset web -B "$build" -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" -- --no-print-directory >/dev/null
echo "Velmora is served at http://127.0.0.1:$port/ (Ctrl+C stops it)"
# As a good host serves it: compressed where the browser takes it.
exec python3 tests/support/local_site.py "$build/site" "$port" >/dev/null
