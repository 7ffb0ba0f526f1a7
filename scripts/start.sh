#!/usr/bin/env bash
# Installs what is missing, builds, and starts Velmora.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-packages.sh program
cmake --preset release >/dev/null
cmake --build --preset release -j"$(nproc)" -- --no-print-directory >/dev/null
exec build/release/velmora
