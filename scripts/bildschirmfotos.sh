#!/usr/bin/env bash
# Takes the pictures of the help document (docs/screenshots/, or the folder given) on a virtual
# X server of 1280x1024 with the window manager openbox (for the window frames), the DejaVu fonts
# and the German locale (all installed by scripts/install-deps.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
ziel="$(realpath -m "${1:-docs/screenshots}")"
build="${PYRA_BUILD_DIR:-build}"
bash scripts/install-deps.sh
[ -d "$build" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --target pyra-bildschirmfotos -j "$(nproc)"
programm="$(realpath "$build/tools/pyra-bildschirmfotos")"
sprache=C.UTF-8
if locale -a 2>/dev/null | grep -ci '^de_DE.utf-\?8$' >/dev/null; then sprache=de_DE.UTF-8; fi
export LANG="$sprache" LC_ALL="$sprache" QT_QPA_PLATFORM=xcb
unset QT_SCALE_FACTOR
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  openbox >/dev/null 2>&1 &
  wm=$!
  sleep 1
  "$0" "$1"
  rc=$?
  kill "$wm" 2>/dev/null || true
  exit $rc' "$programm" "$ziel"
