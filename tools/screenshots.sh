#!/usr/bin/env bash
# Makes the screenshots in docs/: runs each example game on a virtual X
# server with its autopilot playing, holds the game still after a chosen
# frame (tests/e2e/shot_hook.lua), and saves what the X server shows of its
# window as a PNG. The games are deterministic, so the pictures only change
# when the games or the module do.
#
# usage: tools/screenshots.sh [BUILD_DIR]    (default: build, built if needed)
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD
build=${1:-build}
interp=${LUA:-luajit}

bash tools/build.sh "$build" -- zedodava

tmp=$(mktemp -d)
xpid=""
gpid=""
cleanup() {
    [ -n "$gpid" ] && kill "$gpid" 2>/dev/null
    [ -n "$xpid" ] && kill "$xpid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$tmp"
}
trap cleanup EXIT

. tools/xvfb.sh
. tools/headless.sh
start_xvfb 1024x768x24
headless_env x11
export LUA_CPATH="$top/$build/?.so;;" LUA_PATH="$top/lua/?.lua;;"

# shot GAME FRAME PNG [FRAMES]: the game's window after FRAME frames of a
# run of FRAMES (default FRAME).
shot() {
    local game=$1 frame=$2 png=$3 frames=${4:-$2} dir="$tmp/$1"
    mkdir -p "$dir"
    ZD_SHOT_DIR="$dir" ZD_SHOT_AT="$frame" "$interp" -e "dofile '$top/tests/e2e/shot_hook.lua'" \
        "examples/$game.lua" --frames "$frames" >"$dir/out" 2>"$dir/err" &
    gpid=$!
    for _ in $(seq 1200); do
        [ -e "$dir/ready1" ] && break
        kill -0 "$gpid" 2>/dev/null || { echo "$game ended early:"; cat "$dir/out" "$dir/err"; exit 1; }
        sleep 0.05
    done
    [ -e "$dir/ready1" ] || { echo "$game never reached frame $frame"; exit 1; }
    # The interpreter's name is the window's class; no window manager, no frame.
    local wid
    wid=$(xdotool search --classname "^$(basename "$interp")\$" | head -n 1)
    xwd -silent -id "$wid" >"$dir/shot.xwd"
    convert "$dir/shot.xwd" -strip "$png"
    touch "$dir/ack1"
    wait "$gpid"
    gpid=""
    echo "$png: $(identify -format '%wx%h' "$png"), the game said: $(sed -n 2p "$dir/out")"
}

mkdir -p docs
shot breakout 1600 docs/breakout.png
shot roguelike 240 docs/roguelike.png
shot asteroids 435 docs/asteroids.png 900
