#!/usr/bin/env bash
# Builds the Debian package pyra-lotto_<version>_<arch>.deb in build-deb/ (or $PYRA_BUILD_DIR).
# Install it with: sudo apt install ./build-deb/pyra-lotto_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build="${PYRA_BUILD_DIR:-build-deb}"
# The help lookup compiled into the program names the installed data directory, so the package is
# configured for the prefix it installs to.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DPYRA_BUILD_TESTS=OFF -DPYRA_BUILD_BENCH=OFF
cmake --build "$build" -j "$(nproc)"
(cd "$build" && cpack -G DEB)
ls "$build"/pyra-lotto_*.deb
