#!/usr/bin/env bash
# Installs what is missing, then configures and builds Quorvel.
# usage: scripts/build.sh [BUILD_DIR] [extra cmake options...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build"}
shift || true

"$root/scripts/install-deps.sh"

jobs=$(nproc 2>/dev/null || echo 2)
[ "$jobs" -gt 2 ] || jobs=2
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$build" -j"$jobs"
