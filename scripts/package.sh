#!/usr/bin/env bash
# Builds Quorvel without its tests and makes a Debian package of it with
# CPack. The package lands in the build folder; its name is printed.
# usage: scripts/package.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build-package"}

"$root/scripts/build.sh" "$build" -DQUORVEL_BUILD_TESTS=OFF -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr
cd "$build"
cpack -G DEB
ls -1 "$build"/quorvel_*.deb
