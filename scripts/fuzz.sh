#!/usr/bin/env bash
# Runs the libFuzzer targets under fuzz/, one after the other, each for a set time.
#
#   scripts/fuzz.sh [--install] [--out DIR] [--runs N] [--nur-ubsan] SECONDS [TARGET...]
#
# TARGET is zellenleser, aktualisierung or datenbank (default: all three). Each runs with one
# job and one worker at the lowest priority, starting from the committed inputs in
# fuzz/corpus/TARGET and fuzz/regressions/TARGET; the inputs it finds go to DIR/TARGET/korpus,
# crashes, leaks and time-outs to DIR/TARGET/ (crash-*, leak-*, timeout-*, oom-*), the log to
# DIR/TARGET/fuzz-0.log. With --runs a target stops after N executions or SECONDS, whichever
# comes first. --nur-ubsan builds without AddressSanitizer (build-fuzz-ubsan/): about three times
# the executions per second, for long runs whose inputs are then replayed in the full build.
# DIR defaults to fuzz-befunde/ in the build directory. A finding worth
# keeping is copied to fuzz/regressions/TARGET/ after its fix; the regression programs of the
# normal build then run it in ctest.
#
# --install installs clang and libFuzzer from Debian first (needs root); this is not part of
# scripts/install-deps.sh, which the normal build uses.
# The build directory is build-fuzz/ (or $PYRA_FUZZ_BUILD_DIR), configured with -DPYRA_FUZZ=ON.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

install=0
out=""
runs=-1
sanitizer="address,undefined"
build_standard=build-fuzz
while [[ $# -gt 0 ]]; do
  case "$1" in
    --install) install=1; shift ;;
    --out) out="$2"; shift 2 ;;
    --runs) runs="$2"; shift 2 ;;
    --nur-ubsan) sanitizer=undefined; build_standard=build-fuzz-ubsan; shift ;;
    *) break ;;
  esac
done
if [[ $# -lt 1 || ! "$1" =~ ^[0-9]+$ ]]; then
  sed -n '2,19p' "$0" | sed 's/^# \{0,1\}//'
  exit 2
fi
seconds=$1
shift
targets=("$@")
[[ ${#targets[@]} -eq 0 ]] && targets=(zellenleser aktualisierung datenbank)

if [[ $install -eq 1 ]]; then
  # libFuzzer's runtime comes with the compiler runtime package of clang.
  apt-get install -y clang "libclang-rt-$(clang --version 2>/dev/null | sed -n 's/.*version \([0-9]*\).*/\1/p' | head -1 || echo 14)-dev" ||
    apt-get install -y clang libclang-rt-14-dev
fi

build="${PYRA_FUZZ_BUILD_DIR:-$build_standard}"
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DPYRA_FUZZ=ON -DPYRA_FUZZ_SANITIZER="$sanitizer" -DPYRA_BUILD_UI=OFF \
  -DPYRA_WERROR=ON -DPYRA_BUILD_TESTS=OFF -DPYRA_BUILD_BENCH=OFF >/dev/null
ninja -C "$build" -j 2 $(printf 'fuzz_%s ' "${targets[@]}")

[[ -z "$out" ]] && out="$build/fuzz-befunde"
mkdir -p "$out"
out=$(cd "$out" && pwd)

declare -A max_len=([zellenleser]=32768 [aktualisierung]=16384 [datenbank]=65536)
# A smaller quarantine and no fill of new blocks make the sanitizer's allocator several times
# cheaper in these allocation-heavy targets; use-after-free is still caught for recent blocks.
export ASAN_OPTIONS="${ASAN_OPTIONS:-quarantine_size_mb=16:max_malloc_fill_size=0}"
# The xls reader gives its child process 60 s; a unit slower than that is a hang of our own.
timeout=90

for t in "${targets[@]}"; do
  dir="$out/$t"
  mkdir -p "$dir/korpus"
  echo "== $t: ${seconds} s, Befunde in $dir"
  (
    cd "$dir"
    nice -n 19 "$root/$build/fuzz/fuzz_$t" -max_total_time="$seconds" -runs="$runs" -jobs=1 -workers=1 \
      -max_len="${max_len[$t]}" -timeout="$timeout" -rss_limit_mb=3072 -print_final_stats=1 \
      -artifact_prefix="$dir/" korpus "$root/fuzz/corpus/$t" "$root/fuzz/regressions/$t" || true
  )
  log="$dir/fuzz-0.log"
  # The job's log repeats the final figures; each is shown once.
  grep -E '^(Done|stat::number_of_executed_units|stat::average_exec_per_sec|stat::new_units_added|stat::slowest_unit_time_sec|stat::peak_rss_mb)' "$log" |
    awk '!gesehen[$0]++' || true
  echo "Korpus: $(ls "$dir/korpus" | wc -l) Eingaben"
  befunde=$(ls "$dir" | grep -E '^(crash|leak|timeout|oom|slow-unit)-' || true)
  if [[ -n "$befunde" ]]; then echo "Befunde:"; echo "$befunde"; else echo "Befunde: keine"; fi
done
