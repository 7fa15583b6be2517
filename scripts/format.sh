#!/usr/bin/env bash
# Formats the C++ files that git tracks with the project's .clang-format.
#
#   scripts/format.sh            formats them in place
#   scripts/format.sh --check    changes nothing; lists every misformatted place and fails if
#                                there is one (CI runs this)
#
# Further arguments name the files to look at instead of all of them.
set -euo pipefail
cd "$(dirname "$0")/.."

check=0
if [[ "${1:-}" == "--check" ]]; then
  check=1
  shift
fi
if ! command -v clang-format >/dev/null; then
  echo "clang-format fehlt (scripts/install-deps.sh installiert es)." >&2
  exit 2
fi

if [[ $# -gt 0 ]]; then
  files=("$@")
else
  mapfile -t files < <(git ls-files -- '*.cpp' '*.h' '*.hpp' '*.cc')
fi
[[ ${#files[@]} -eq 0 ]] && exit 0

if [[ $check -eq 1 ]]; then
  if ! clang-format --dry-run -Werror "${files[@]}"; then
    echo "Nicht nach .clang-format formatiert; scripts/format.sh (oder das Ziel 'format') richtet es." >&2
    exit 1
  fi
else
  clang-format -i "${files[@]}"
fi
