#!/usr/bin/env bash
# Builds the benchmarks and runs every one of them, then prints one table of
# every figure they gave, with the machine's load average when it was given.
#
# usage: bench/run-all.sh [--build DIR] [NAME...]
#   --build DIR  the build folder (default: build-bench/ in the project),
#                configured with -DQUORVEL_BUILD_BENCH=ON
#   NAME...      run only the benchmarks whose name contains one of these
#
# What runs: every bench_* program the build made, and every bench/*.sh
# script (this one aside). Programs run on the offscreen platform, but for
# bench_keypaint, which starts its own Xvfb and is skipped without one; scripts
# are given QUORVEL_BUILD_DIR (the build folder) and QUORVEL_BIN (its bin/
# folder with quorvel and quorvel-tool) and set up any display themselves.
# Each figure is a line
#   RESULT<TAB>name<TAB>ours<TAB>reference<TAB>unit<TAB>ratio<TAB>limit<TAB>mode
# ("-" where there is nothing); a program that exits with 77 was skipped
# (bench_rawthumbs without raw files: set QUORVEL_TESTDATA); a limit that ends with the unit ("5ms")
# bounds our figure itself, a plain number the ratio. The reference tools
# come from scripts/install-bench-deps.sh.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-bench"
filters=()
while [ $# -gt 0 ]; do
  case "$1" in
    --build) build=$(cd "$2" 2>/dev/null && pwd || echo "$2"); shift 2 ;;
    -h|--help) sed -n '2,20p' "$0"; exit 0 ;;
    *) filters+=("$1"); shift ;;
  esac
done

# A build folder of its own is made without the tests; one that exists (a
# developer's, with the tests) only has the benchmarks switched on.
if [ -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DQUORVEL_BUILD_BENCH=ON >/dev/null || exit 1
else
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_BUILD_BENCH=ON -DQUORVEL_BUILD_TESTS=OFF \
    >/dev/null || exit 1
fi
cmake --build "$build" -j2 --target quorvel_benchmarks >/dev/null || { echo "run-all: the build failed" >&2; exit 1; }

export QUORVEL_BUILD_DIR="$build"
export QUORVEL_BIN="$build/bin"
table=$(mktemp)
trap 'rm -f "$table"' EXIT

wanted() {
  [ ${#filters[@]} -eq 0 ] && return 0
  local f
  for f in "${filters[@]}"; do [[ "$1" == *"$f"* ]] && return 0; done
  return 1
}

load1() { cut -d' ' -f1 /proc/loadavg; }

# Runs one benchmark, passing its output through and keeping its figures.
run() {
  local name=$1; shift
  echo "=== $name   (load $(cut -d' ' -f1-3 /proc/loadavg))"
  local status
  "$@" 2>&1 | while IFS= read -r line; do
    printf '%s\n' "$line"
    if [[ "$line" == RESULT$'\t'* ]]; then
      printf '%s\t%s\t%s\n' "$name" "${line#RESULT$'\t'}" "$(load1)" >>"$table"
    fi
  done
  status=${PIPESTATUS[0]}
  if [ "$status" -eq 77 ]; then
    printf '%s\t%s\t-\t-\t-\t-\t-\t-\t%s\n' "$name" "skipped: what it measures is missing (see above)" "$(load1)" >>"$table"
  elif [ "$status" -ne 0 ]; then
    printf '%s\t%s\t-\t-\t-\t-\t-\t-\t%s\n' "$name" "FAILED (exit status $status)" "$(load1)" >>"$table"
  fi
}

skipped() {
  echo "=== $1   skipped: $2"
  printf '%s\t%s\t-\t-\t-\t-\t-\t-\t%s\n' "$1" "skipped: $2" "$(load1)" >>"$table"
}

for program in "$build"/bench/bench_*; do
  [ -f "$program" ] && [ -x "$program" ] || continue
  name=$(basename "$program")
  wanted "$name" || continue
  if [ "$name" = bench_keypaint ]; then
    # The key-press-to-painted measurement shows the real program on a
    # screen of its own: it starts Xvfb itself.
    if command -v Xvfb >/dev/null; then
      run "$name" "$program"
    else
      skipped "$name" "no Xvfb"
    fi
    continue
  fi
  run "$name" env QT_QPA_PLATFORM=offscreen "$program"
done
for script in "$root"/bench/*.sh; do
  name=$(basename "$script")
  [ "$name" = "run-all.sh" ] && continue
  wanted "$name" || continue
  run "$name" bash "$script"
done

echo
echo "=== all figures ($(date '+%Y-%m-%d %H:%M'), $(nproc) cores; load = 1-minute load average as the figure was given)"
awk -F'\t' '
  function verdict(ours, unit, ratio, limit,   bound) {
    if (limit == "-" || ours == "-") return "-"
    if (length(limit) > length(unit) && substr(limit, length(limit) - length(unit) + 1) == unit) {
      bound = substr(limit, 1, length(limit) - length(unit)) + 0
      return (ours + 0 <= bound) ? "OK" : "OVER"
    }
    if (ratio == "-") return "-"
    return (ratio + 0 <= limit + 0) ? "OK" : "OVER"
  }
  BEGIN { printf "%-20s %-84s %-22s %10s %10s %-6s %7s %7s %-5s %5s\n", "benchmark", "figure", "mode", "ours", "reference", "unit", "ratio", "limit", "", "load" }
  {
    printf "%-20s %-84s %-22s %10s %10s %-6s %7s %7s %-5s %5s\n", $1, $2, $8, $3, $4, $5, $6, $7, verdict($3, $5, $6, $7), $9
  }' "$table"
