#!/bin/bash
# Installs the Debian packages that building, running and testing Quorvane need, when missing.
set -euo pipefail

# dpkg-dev and file make the Debian package; appstream and desktop-file-utils check its metadata.
# Qt's image format plugins and its SVG library read WebP, TIFF and SVG pictures.
packages=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools qt6-image-formats-plugins libqt6svg6
    libgl-dev libbenchmark-dev xvfb xauth dpkg-dev file appstream desktop-file-utils "$@")
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
if ((${#missing[@]})); then
    sudo_prefix=()
    [[ $(id -u) -ne 0 ]] && sudo_prefix=(sudo)
    "${sudo_prefix[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_prefix[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
