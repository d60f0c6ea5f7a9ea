#!/usr/bin/env bash
# Builds the tests of the threaded parts - the image loader, its first look
# and the thumbnail work - with ThreadSanitizer (in build-tsan/, only what
# those tests need) and runs them. Any data race fails the run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-tsan"
"$root/scripts/install-deps.sh"

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_TSAN=ON >/dev/null
cmake --build "$build" -j2 --target tst_imageloader tst_firstlook tst_thumbnails

cd "$build"
TSAN_OPTIONS="halt_on_error=1 exitcode=66 suppressions=$root/tests/imaging/tsan.supp ${TSAN_OPTIONS:-}" \
  ctest --output-on-failure --timeout 600 -R '^(tst_imageloader|tst_firstlook|tst_thumbnails)$'
