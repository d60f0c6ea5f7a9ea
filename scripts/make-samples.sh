#!/usr/bin/env bash
# Redraws the sample photographs in samples/ (pictures drawn by the project,
# with camera EXIF written through Exiv2, a descript.ion and a link file).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" "$root/build" >/dev/null
rm -rf "$root/samples"
QT_QPA_PLATFORM=offscreen "$root/build/tools/quorvel-artwork" samples "$root/samples"
echo "samples written to $root/samples"
