#!/usr/bin/env bash
# Configures and builds Pyra-Lotto into build/ (or $PYRA_BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${PYRA_BUILD_DIR:-build}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="${PYRA_BUILD_TYPE:-RelWithDebInfo}" "$@"
cmake --build "$build" -j "$(nproc)"
