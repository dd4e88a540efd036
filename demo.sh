#!/usr/bin/env bash
# Installs what is missing, builds the module and runs the example breakout
# game; "./demo.sh console" runs the console dungeon game instead. Further
# arguments go to the game. It runs through bin/zedodava: with no display
# (DISPLAY unset, or naming an X server that does not answer) on a virtual X
# server for a fixed number of frames, the computer playing; with no sound
# card on SDL's silent audio driver.
set -euo pipefail
cd "$(dirname "$0")"

# Only the module is built, and only when a source is newer than it.
if [ -f build/zedodava.so ] &&
    [ -z "$(find src include CMakeLists.txt -newer build/zedodava.so -print -quit)" ]; then
    bash tools/build.sh --packages
else
    bash tools/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo -- zedodava
fi

script=examples/breakout.lua
if [ "${1:-}" = console ]; then
    script=examples/roguelike.lua
    shift
fi

# The zedodava command runs it: quiet with no sound card, and with no display
# (DISPLAY unset, or naming an X server that does not answer) on a virtual X
# server of its own, where the computer plays 600 frames.
if [ -n "${DISPLAY:-}" ] && bin/zedodava --x-answers; then
    exec bin/zedodava "$script" "$@"
fi
[ -z "${DISPLAY:-}" ] || echo "demo.sh: no X server answers on DISPLAY=$DISPLAY; playing on a virtual X server instead"
exec bin/zedodava --headless "$script" --frames 600 "$@"
