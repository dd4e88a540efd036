#!/usr/bin/env bash
# The one script that installs and builds: every other script (demo.sh,
# test.sh, the benchmarks, the screenshot tool) calls it.
#
#   tools/build.sh DIR [CMAKE_OPTION...] [-- TARGET...]
#   tools/build.sh --packages
#
# Installs the Debian packages that are missing (no apt command at all when
# everything is there), configures the tree DIR with the options given, and
# builds the targets named (all of the tree when none); --packages only
# installs. It says what it is
# doing before each step that takes a while; the build's own output goes to
# DIR/build.log and is shown only when the build fails.
set -euo pipefail
cd "$(dirname "$0")/.."

# What a minimal Debian 12 lacks, by use:
PACKAGES=(
    # the build
    make gcc g++ cmake pkg-config
    libsdl1.2-dev libsdl-image1.2-dev libsdl-ttf2.0-dev libsdl-gfx1.2-dev libsdl-mixer1.2-dev
    zlib1g-dev # the screenshots' PNG files
    lua5.1 liblua5.1-0-dev luajit libluajit-5.1-dev
    # the demo on a virtual X server; OpenGL windows in software
    xvfb xauth libgl1-mesa-dri
    # the tests: GoogleTest, the other Lua versions, the installs, fonts,
    # fixtures made by the tests, the real-window tools, the leak and format checks
    libgtest-dev lua5.2 liblua5.2-dev lua5.3 liblua5.3-dev lua5.4 liblua5.4-dev luarocks
    fonts-dejavu-core imagemagick sox xdotool x11-apps libx11-dev valgrind clang-format
    # the benchmarks' third side
    python3-pygame
)

install_missing() {
    local missing=() p sudo=""
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -gt 0 ] || return 0
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    echo "build: installing ${#missing[@]} Debian packages (a few minutes the first time): ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

[ $# -ge 1 ] || { sed -n '5,6p' "$0"; exit 2; }
install_missing
[ "$1" != --packages ] || exit 0
dir=$1
shift
options=()
while [ $# -gt 0 ] && [ "$1" != -- ]; do
    options+=("$1")
    shift
done
[ $# -eq 0 ] || shift
targets=("$@")

mkdir -p "$dir"
[ -f "$dir/CMakeCache.txt" ] || echo "build: configuring $dir"
cmake -S . -B "$dir" "${options[@]}" >"$dir/configure.log" 2>&1 || {
    cat "$dir/configure.log"
    exit 1
}
echo "build: building ${targets[*]:-everything} in $dir"
args=()
for t in "${targets[@]}"; do args+=(--target "$t"); done
cmake --build "$dir" -j2 "${args[@]}" >"$dir/build.log" 2>&1 || {
    cat "$dir/build.log"
    exit 1
}
