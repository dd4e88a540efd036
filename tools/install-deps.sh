#!/usr/bin/env bash
# Installs the Debian packages the build, the tests, the demo and the benchmarks need.
# Idempotent: when everything is present it runs no apt command at all.
set -euo pipefail

PACKAGES=(
    g++ cmake pkg-config libgtest-dev
    libsdl1.2-dev libsdl-image1.2-dev libsdl-ttf2.0-dev libsdl-gfx1.2-dev libsdl-mixer1.2-dev
    lua5.1 liblua5.1-0-dev luajit libluajit-5.1-dev
    lua5.2 liblua5.2-dev lua5.3 liblua5.3-dev lua5.4 liblua5.4-dev luarocks
    fonts-dejavu-core xvfb xdotool x11-apps imagemagick sox libx11-dev libgl1-mesa-dri
    clang-format valgrind python3-pygame
)

missing=()
for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
