#!/usr/bin/env bash
# Installs the Debian/Ubuntu packages that building, running and testing Quorvel need.
# Does nothing when everything is present. Uses sudo when not run as root.
set -euo pipefail

packages=(
  g++ cmake make pkg-config ccache
  qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-image-formats-plugins qt6-translations-l10n qt6-svg-dev
  libgl-dev libxcb1-dev
  libturbojpeg0-dev libjpeg62-turbo-dev libjpeg-turbo-progs
  libtiff-dev libexiv2-dev libraw-dev liblcms2-dev libopencv-imgproc-dev
  libheif-dev libjxl-dev libbrotli-dev zlib1g-dev
  libheif-examples libavif-bin libjxl-tools
  libimage-exiftool-perl python3
  xvfb xdotool imagemagick x11-utils xwallpaper fonts-dejavu-core
  desktop-file-utils appstream man-db dpkg-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
