#!/usr/bin/env bash
# Installs what is missing, builds, and starts Pyra-Lotto on its default database
# (created with the shipped draw history on the first start).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
build="${PYRA_BUILD_DIR:-build}"
if [ -x "$build/src/app/pyra-lotto" ]; then
  exec "$build/src/app/pyra-lotto"
fi
exec "$build/src/cli/pyra-lotto-cli" start
