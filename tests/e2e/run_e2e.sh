#!/usr/bin/env bash
# Runs one end-to-end case against a real X server: starts Xvfb on a free
# display, runs tests/e2e/app.lua under the given interpreter with SDL's x11
# driver, drives it with xdotool as a person would, and checks what the game
# printed and how it ended.
#
# usage: run_e2e.sh INTERPRETER CASE MODULE_DIR HELPER_DIR
set -u
interp=$1
case_name=$2
moddir=$3
helpers=$4
here=$(cd "$(dirname "$0")" && pwd)

tmp=$(mktemp -d)
xpid=""
apid=""
cleanup() {
    [ -n "$apid" ] && kill "$apid" 2>/dev/null
    [ -n "$xpid" ] && kill "$xpid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$tmp"
}
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number to the descriptor.
exec 3>"$tmp/display"
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp -noreset >"$tmp/xvfb.log" 2>&1 &
xpid=$!
for _ in $(seq 100); do
    [ -s "$tmp/display" ] && break
    sleep 0.05
done
exec 3>&-
if [ ! -s "$tmp/display" ]; then
    echo "Xvfb did not start"; cat "$tmp/xvfb.log"; exit 1
fi
export DISPLAY=":$(head -n 1 "$tmp/display")"
for _ in $(seq 100); do
    xdotool getdisplaygeometry >/dev/null 2>&1 && break
    sleep 0.05
done
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null
export LUA_CPATH="$moddir/?.so" LUA_PATH="$here/../../lua/?.lua;;"
preload=()
if [ -n "${ZD_PRELOAD:-}" ]; then
    preload=("LD_PRELOAD=$ZD_PRELOAD" "ASAN_OPTIONS=detect_leaks=0")
fi

start_app() {
    env "${preload[@]}" "$interp" "$here/app.lua" "$@" >"$tmp/out" 2>"$tmp/err" </dev/null &
    apid=$!
    wait_for ready
}

# Waits until the game has printed a line equal to $1 (fields joined by tabs
# in the game's own output are compared as single spaces).
wait_for() {
    for _ in $(seq 200); do
        if tr '\t' ' ' <"$tmp/out" | grep -qxF "$1"; then
            return 0
        fi
        if ! kill -0 "$apid" 2>/dev/null; then
            break
        fi
        sleep 0.05
    done
    echo "never saw: $1"
    fail
}

fail() {
    echo "--- game output:"; cat "$tmp/out"; echo "--- stderr:"; tail -n 20 "$tmp/err"
    echo "--- DISPLAY=$DISPLAY xvfb:"; tail -n 5 "$tmp/xvfb.log"
    exit 1
}

# Waits for the game to end and checks its status and its whole output.
finish() {
    local want_status=$1 expected=$2
    for _ in $(seq 200); do
        kill -0 "$apid" 2>/dev/null || break
        sleep 0.05
    done
    wait "$apid"
    local status=$?
    apid=""
    if [ "$status" -ne "$want_status" ]; then
        echo "exit status $status, expected $want_status"
        fail
    fi
    if [ "$(tr '\t' ' ' <"$tmp/out")" != "$expected" ]; then
        echo "output differs; expected:"; echo "$expected"
        fail
    fi
}

# Holds a key until the game sees it held, then releases it.
press() {
    xdotool keydown "$1"
    wait_for "held $2 true"
    xdotool keyup "$1"
    wait_for "held $2 false"
}

# With no window manager, keyboard events go to the window under the pointer.
point_into_window() {
    xdotool mousemove "$1" "$2"
    wait_for "mouse $1 $2 false false"
}

case "$case_name" in
keys)
    start_app plain
    point_into_window 40 40
    press a 97
    press Up 273
    press Down 274
    press Right 275
    press Left 276
    xdotool key Escape
    finish 0 "zarn init (320x240)
ready
mouse 40 40 false false
event 1 97
held 97 true
event 2 97
held 97 false
event 1 273
held 273 true
event 2 273
held 273 false
event 1 274
held 274 true
event 2 274
held 274 false
event 1 275
held 275 true
event 2 275
held 275 false
event 1 276
held 276 true
event 2 276
held 276 false
event 1 27
event 2 27
zarn quit"
    ;;
mouse)
    start_app plain
    point_into_window 100 60
    xdotool mousedown 1
    wait_for "mouse 100 60 true false"
    xdotool mouseup 1
    wait_for "mouse 100 60 false false"
    xdotool mousedown 3
    wait_for "mouse 100 60 false true"
    xdotool mouseup 3
    wait_for "event 4 100 60 3"
    xdotool click 4
    wait_for "event 4 100 60 4"
    xdotool click 5
    wait_for "event 4 100 60 5"
    xdotool mousemove 200 150
    wait_for "mouse 200 150 false false"
    xdotool key Escape
    finish 0 "zarn init (320x240)
ready
mouse 100 60 false false
event 3 100 60 1
mouse 100 60 true false
event 4 100 60 1
mouse 100 60 false false
event 3 100 60 3
mouse 100 60 false true
event 4 100 60 3
mouse 100 60 false false
event 3 100 60 4
event 4 100 60 4
event 3 100 60 5
event 4 100 60 5
mouse 200 150 false false
event 1 27
event 2 27
zarn quit"
    ;;
close)
    start_app plain
    "$helpers/wm_close" || { echo "no window took the close request"; fail; }
    finish 0 "zarn init (320x240)
ready"
    ;;
opengl)
    start_app gl
    point_into_window 10 10
    xdotool key Escape
    finish 0 "zarn init (320x240), OpenGL mode
ready
mouse 10 10 false false
event 1 27
event 2 27
zarn quit"
    ;;
fullscreen)
    # The 320x240 picture is centred on the 800x600 screen.
    start_app full
    xdotool mousemove 410 310
    wait_for "mouse 170 130 false false"
    xdotool key Escape
    finish 0 "zarn init (320x240), fullscreen
ready
mouse 170 130 false false
event 1 27
event 2 27
zarn quit"
    ;;
*)
    echo "unknown case $case_name"; exit 2 ;;
esac
