#!/usr/bin/env bash
# The reference tools the benchmarks under bench/ measure Quorvel against.
# Not needed to build, run or test the program.
set -euo pipefail
packages=(libjpeg-turbo-progs exiv2 libvips-tools imagemagick hyperfine libbenchmark-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
