#!/usr/bin/env bash
# Installs what is missing, builds the module and runs the example breakout
# game; "./demo.sh console" runs the console dungeon game instead. Further
# arguments go to the game. With no display (DISPLAY unset) the game runs on
# a virtual X server for a fixed number of frames, the computer playing.
set -euo pipefail
cd "$(dirname "$0")"

bash tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 >/dev/null

script=examples/breakout.lua
if [ "${1:-}" = console ]; then
    script=examples/roguelike.lua
    shift
fi

export LUA_CPATH="$PWD/build/?.so;;"
export LUA_PATH="$PWD/lua/?.lua;;"
if [ -n "${DISPLAY:-}" ]; then
    exec luajit "$script" "$@"
fi
echo "no DISPLAY: the computer plays $script on a virtual X server for 600 frames"
exec xvfb-run -a -s "-screen 0 1024x768x24" luajit "$script" --frames 600 "$@"
