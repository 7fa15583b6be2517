#!/usr/bin/env bash
# Checks the layering of src/ by its #include lines and fails on any breach:
#  - only the windows (src/ui), the program entry (src/app) and the printer adapter
#    (src/platform/printer) include Qt headers; the core, the other adapters and the batch
#    companion stay free of Qt;
#  - no library below the windows includes src/ui, src/app or src/cli;
#  - the pure computations of stats, system and output (their files not ending in _store)
#    include neither the store, the data module, SQLite nor a _store header.
# CI runs it, and ctest runs it as the test "include_regeln".
set -uo pipefail
cd "$(dirname "$0")/.."

if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files --cached --others --exclude-standard -- 'src/*' |
    grep -E '\.(h|hpp|cpp|cc)$')
else
  mapfile -t files < <(find src -type f \( -name '*.h' -o -name '*.hpp' -o -name '*.cpp' -o -name '*.cc' \) | sort)
fi

qt='^[[:space:]]*#[[:space:]]*include[[:space:]]*<((Qt[A-Za-z]*/)?Q[A-Za-z0-9_]*(\.h)?|q[a-z0-9_]*\.h)>'
oben='^[[:space:]]*#[[:space:]]*include[[:space:]]*"(ui|app|cli)/'
speicher='^[[:space:]]*#[[:space:]]*include[[:space:]]*("(store|data)/|"[^"]*_store\.h"|<sqlite3\.h>)'

fehler=0
melden() { # file, rule, matching lines
  while IFS= read -r zeile; do
    echo "$1:$zeile  <- $2"
    fehler=1
  done <<<"$3"
}

for f in "${files[@]}"; do
  [[ -f "$f" ]] || continue
  case "$f" in
  src/ui/* | src/app/* | src/platform/printer/*) ;;
  *)
    if treffer=$(grep -nE "$qt" "$f"); then melden "$f" "Qt außerhalb von src/ui, src/app und src/platform/printer" "$treffer"; fi
    ;;
  esac
  case "$f" in
  src/ui/* | src/app/* | src/cli/*) ;;
  *)
    if treffer=$(grep -nE "$oben" "$f"); then melden "$f" "der Kern bindet Fenster oder Programme ein" "$treffer"; fi
    ;;
  esac
  case "$f" in
  src/stats/*_store.* | src/system/*_store.* | src/output/*_store.*) ;;
  src/stats/* | src/system/* | src/output/*)
    if treffer=$(grep -nE "$speicher" "$f"); then melden "$f" "reine Berechnung bindet Speicher oder Datenmodul ein" "$treffer"; fi
    ;;
  esac
done

if [[ $fehler -ne 0 ]]; then
  echo "Include-Regeln verletzt (scripts/check-includes.sh)." >&2
  exit 1
fi
echo "Include-Regeln eingehalten: ${#files[@]} Dateien."
