#!/usr/bin/env bash
# Builds and runs the whole test suite; an optional argument names the preset (default, asan,
# clang, tsan).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --workflow --preset "${1:-default}"
