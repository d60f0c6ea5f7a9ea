#!/usr/bin/env bash
# Builds the core test suites - every suite that does without the widget
# layer - with AddressSanitizer and UndefinedBehaviorSanitizer (in
# build-asan/) and runs them. Any report of either fails the run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-asan"
"$root/scripts/install-deps.sh"

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_ASAN=ON -DQUORVEL_BUILD_TESTS=ON >/dev/null
cmake --build "$build" -j2 --target quorvel_core_tests

cd "$build"
ASAN_OPTIONS="abort_on_error=0 halt_on_error=1 exitcode=67 detect_leaks=1 ${ASAN_OPTIONS:-}" \
UBSAN_OPTIONS="halt_on_error=1 print_stacktrace=1 ${UBSAN_OPTIONS:-}" \
LSAN_OPTIONS="suppressions=$root/tests/lsan.supp ${LSAN_OPTIONS:-}" \
  ctest --output-on-failure -j2 --timeout 900 -L '^core$'
