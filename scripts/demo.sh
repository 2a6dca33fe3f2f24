#!/usr/bin/env bash
# Builds everything, then runs px7000-host's demo on the bundle built beside it: the surface the
# module declares, and a session that presses every key and turns the data dial.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
build/default/px7000-host demo
