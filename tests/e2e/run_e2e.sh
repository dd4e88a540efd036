#!/usr/bin/env bash
# One end-to-end case on Xvfb with SDL's X11 driver, after which the game's
# output must be CASE.out and its status 0: input (xdotool presses keys,
# buttons, the wheel; then the window manager's close request), scene (each
# frame's screen compared pixel for pixel with gScreen).
# usage: run_e2e.sh INTERPRETER CASE MODULE_DIR HELPER_DIR (wm_close, zd_probe.so)
set -u
interp=$1 case_name=$2 helpers=$4 here=$(cd "$(dirname "$0")" && pwd) tmp=$(mktemp -d)
xpid="" apid=""
trap 'kill -9 $apid $xpid 2>/dev/null; wait; rm -rf "$tmp"' EXIT
. "$here/../../tools/xvfb.sh"
start_xvfb 800x600x24
export SDL_VIDEODRIVER=x11 LUA_CPATH="$3/?.so;$helpers/?.so" LUA_PATH="$here/../../lua/?.lua;;"
export ZD_SHOT_DIR=$tmp ZD_SHOT_AT="1 2"
fail() {
    echo "$1"; echo "--- output:"; cat "$tmp/out"; echo "--- stderr:"; tail -n 20 "$tmp/err"
    exit 1
}
# Waits until the game prints the line $1, or the file $1 (a full path) exists.
wait_for() {
    for _ in $(seq 400); do
        tr '\t' ' ' <"$tmp/out" | grep -qxF "$1" && return 0
        [[ $1 == /* && -e $1 ]] && return 0
        kill -0 "$apid" 2>/dev/null || fail "the game ended before: $1"
        sleep 0.05
    done
    fail "never saw: $1"
}
# Pictures 1 and 2 as the screen shows them (the window at the top left: no
# window manager moves it) against gScreen's pixels.
check_pictures() {
    local k want got w h
    for k in 1 2; do
        wait_for "$tmp/ready$k"
        want="$tmp/step$k.ppm" got="$tmp/got.ppm"
        [ "$(identify -format %k "$want")" -ge 3 ] || fail "picture $k has almost nothing on it"
        read -r w h < <(identify -format '%w %h' "$want")
        for try in $(seq 40); do # the X server may show it a moment later
            xwd -silent -root | convert xwd:- -crop "${w}x$h+0+0" +repage -depth 8 -strip "ppm:$got"
            cmp -s "$got" "$want" && break
            [ "$try" -lt 40 ] || fail "picture $k: $(compare -metric AE "$got" "$want" null: 2>&1) pixels differ"
            sleep 0.05
        done
        echo "picture $k: ${w}x$h, $(identify -format %k "$want") colours, as drawn"
        touch "$tmp/ack$k"
    done
}
start() {
    env ${ZD_PRELOAD:+LD_PRELOAD=$ZD_PRELOAD} "$interp" "$@" >"$tmp/out" 2>"$tmp/err" </dev/null &
    apid=$!
}

case "$case_name" in
input) # ended by the window manager's close request: status 0 at once
    start "$here/app.lua"
    wait_for ready
    xdotool mousemove 40 40 # keys go to the window under the pointer
    wait_for "mouse 40 40 false false"
    for key in a:97 Up:273 Down:274 Right:275 Left:276; do
        xdotool keydown "${key%:*}"
        wait_for "held ${key#*:} true"
        xdotool keyup "${key%:*}"
        wait_for "held ${key#*:} false"
    done
    xdotool mousemove 100 60
    wait_for "mouse 100 60 false false"
    for b in 1:"true false" 3:"false true"; do
        xdotool mousedown "${b%%:*}"
        wait_for "mouse 100 60 ${b#*:}"
        xdotool mouseup "${b%%:*}"
        wait_for "event 4 100 60 ${b%%:*}"
    done
    xdotool click 4 click 5 # the wheel
    wait_for "event 4 100 60 5"
    "$helpers/wm_close" || fail "no window took the close request" ;;
scene)
    convert -size 48x32 xc:none -fill "rgba(255,60,0,1)" -draw "rectangle 0,0 23,31" \
        -fill "rgba(0,90,255,0.5)" -draw "circle 24,16 24,2" "PNG32:$tmp/image.png"
    start -e "dofile '$here/shot_hook.lua'" "$here/scene.lua" "$tmp/image.png"
    check_pictures ;;
esac
wait "$apid"
status=$? apid=""
[ "$status" -eq 0 ] || fail "exit status $status"
[ "$(tr '\t' ' ' <"$tmp/out")" = "$(cat "$here/$case_name.out")" ] || fail "output is not $case_name.out"
