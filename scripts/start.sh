#!/usr/bin/env bash
# Installs what is missing, builds, and starts Velmora.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-packages.sh
cmake --preset dev >/dev/null
cmake --build --preset dev -j"$(nproc)" -- --no-print-directory >/dev/null
exec build/dev/velmora
