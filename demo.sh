#!/usr/bin/env bash
# Installs what is missing, builds the module and runs the demo game. With no
# display (DISPLAY unset) the demo runs on a virtual X server for a fixed
# number of frames.
set -euo pipefail
cd "$(dirname "$0")"

bash tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 >/dev/null

# "./demo.sh console" runs the character-cell console demo instead.
script=examples/demo.lua
if [ "${1:-}" = console ]; then
    script=examples/console_demo.lua
    shift
fi

export LUA_CPATH="$PWD/build/?.so;;"
export LUA_PATH="$PWD/lua/?.lua;;"
if [ -n "${DISPLAY:-}" ]; then
    exec luajit "$script" "$@"
fi
echo "no DISPLAY: running the demo on a virtual X server for 600 frames"
exec xvfb-run -a -s "-screen 0 1024x768x24" luajit "$script" --frames 600 "$@"
