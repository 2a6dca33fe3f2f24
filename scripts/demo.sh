#!/usr/bin/env bash
# Builds the bundle and tells where it lies.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target px7000
echo "bundle: $(pwd)/build/default/px7000.so"
