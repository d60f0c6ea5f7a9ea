#!/usr/bin/env bash
# Sets everything up, builds Quorvel with its tests and runs them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
"$root/scripts/build.sh" "$build" -DQUORVEL_BUILD_TESTS=ON

cd "$build"
ctest --output-on-failure -j2 --timeout 600
