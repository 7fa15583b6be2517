#!/usr/bin/env bash
# Installs what is missing, builds every test with AddressSanitizer and UndefinedBehaviorSanitizer
# into build-asan/ (or $PYRA_ASAN_BUILD_DIR) and runs them. Any report fails the run: a memory
# error or leak ends the test with an error, an undefined-behaviour finding aborts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build="${PYRA_ASAN_BUILD_DIR:-build-asan}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPYRA_SANITIZE=ON -DPYRA_BUILD_BENCH=OFF \
  -DPYRA_WERROR=ON
cmake --build "$build" -j "$(nproc)"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1:strict_init_order=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Leaks inside system libraries that are not ours (fontconfig, Qt's plugin loading) are listed
# there; leaks of our own code are not suppressed.
export LSAN_OPTIONS="suppressions=$PWD/.ci/lsan.supp:print_suppressions=0"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
