#!/usr/bin/env bash
# Installs what is missing, builds the module and runs the example breakout
# game; "./demo.sh console" runs the console dungeon game instead. Further
# arguments go to the game. With no display (DISPLAY unset, or naming an X
# server that does not answer) the game runs on a virtual X server for a
# fixed number of frames, the computer playing; with no sound card it plays
# on SDL's silent audio driver.
set -euo pipefail
cd "$(dirname "$0")"
. tools/headless.sh

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

export LUA_CPATH="$PWD/build/?.so;;" LUA_PATH="$PWD/lua/?.lua;;"
# No playback device: the system's sound library would print its failed
# probes of the missing card; SDL's silent driver keeps the mixer open, the
# game as it is with sound, and the output clean.
if [ -z "${SDL_AUDIODRIVER:-}" ] && ! ls /dev/snd/pcm*p >/dev/null 2>&1; then
    export SDL_AUDIODRIVER=dummy
fi
# Whether the X server in DISPLAY answers, asked within 5 seconds (SDL would
# otherwise fall back to drawing the game as text in the terminal).
x_answers() {
    timeout 5 luajit -e 'local ffi = require "ffi"
        ffi.cdef "void *XOpenDisplay(const char *); int XCloseDisplay(void *);"
        local x = ffi.load "libX11.so.6"
        local d = x.XOpenDisplay(nil)
        os.exit(d ~= nil and x.XCloseDisplay(d) == 0 and 0 or 1)' 2>/dev/null
}
if [ -n "${DISPLAY:-}" ]; then
    x_answers && exec luajit "$script" "$@"
    echo "demo.sh: no X server answers on DISPLAY=$DISPLAY; playing on a virtual X server instead"
fi

# No display: a virtual X server of our own, the computer playing, the sound
# on the silent driver.
tmp=$(mktemp -d)
xpid=""
trap '[ -z "$xpid" ] || kill "$xpid" 2>/dev/null; rm -rf "$tmp"' EXIT
. tools/xvfb.sh
start_xvfb 1024x768x24
headless_env x11 dummy
luajit "$script" --frames 600 "$@"
