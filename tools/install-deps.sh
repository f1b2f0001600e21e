#!/usr/bin/env bash
# Installs what building and testing Tarnwick needs, when it is missing (Debian).
set -euo pipefail
packages=(cmake ninja-build g++ qt6-base-dev qt6-multimedia-dev libgtest-dev libgmock-dev
          libbenchmark-dev zlib1g-dev nlohmann-json3-dev openssl libqt6network6 xdg-utils fonts-dejavu-core fonts-wqy-microhei xvfb
          dpkg-dev file libfile-mimeinfo-perl lintian appstream desktop-file-utils man-db groff clang libclang-rt-dev e2fsprogs ccache xdotool openbox x11-utils imagemagick
          qt6-speech-dev qt6-speech-speechd-plugin python3-pyatspi at-spi2-core dbus-daemon)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
