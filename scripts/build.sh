#!/usr/bin/env bash
# Configures and builds Pyra-Lotto into build/ (or $PYRA_BUILD_DIR). Compiler warnings are errors
# here (-DPYRA_WERROR=OFF as an argument turns that off for a local try).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${PYRA_BUILD_DIR:-build}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="${PYRA_BUILD_TYPE:-RelWithDebInfo}" -DPYRA_WERROR=ON "$@"
cmake --build "$build" -j "$(nproc)"
