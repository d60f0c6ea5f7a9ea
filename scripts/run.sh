#!/usr/bin/env bash
# Sets everything up and starts Quorvel, on the bundled samples when no
# folder or file is named.
# usage: scripts/run.sh [FOLDER|FILE]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" "$root/build"
target=${1:-"$root/samples"}
exec "$root/build/bin/quorvel" "$target"
