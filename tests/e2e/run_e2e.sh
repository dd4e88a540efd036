#!/usr/bin/env bash
# Runs one end-to-end case against a real X server: starts Xvfb on a free
# display, runs tests/e2e/app.lua (or scene.lua, or an example game) under the
# given interpreter with SDL's x11 driver, drives it with xdotool as a person
# would, compares screenshots of the window with what the module drew, and
# checks what the game printed and how it ended.
#
# usage: run_e2e.sh INTERPRETER CASE MODULE_DIR HELPER_DIR
# HELPER_DIR holds wm_close and the probe module zd_probe.so.
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

. "$here/xvfb.sh"
start_xvfb 800x600x24
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null
export LUA_CPATH="$moddir/?.so;$helpers/?.so" LUA_PATH="$here/../../lua/?.lua;;"
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

# Waits for the game to end and checks its status.
finish_any() {
    local want_status=$1
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
}

# Waits for the game to end and checks its status and its whole output.
finish() {
    local expected=$2
    finish_any "$1"
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

# Pictures. A script holds still after each step K (see scene.lua and
# shot_hook.lua): it leaves the display surface's pixels in $shots/stepK.ppm
# and the window's X id in $shots/readyK, and waits for $shots/ackK.
shots="$tmp/shots"
mkdir -p "$shots"

start_script() {
    env "${preload[@]}" ZD_SHOT_DIR="$shots" "$interp" "$@" >"$tmp/out" 2>"$tmp/err" </dev/null &
    apid=$!
}

wait_step() {
    for _ in $(seq 400); do
        [ -s "$shots/ready$1" ] && return 0
        kill -0 "$apid" 2>/dev/null || break
        sleep 0.05
    done
    echo "never reached picture $1"
    fail
}

# Takes a screenshot of the window of step $1 ("root": of the whole screen,
# cut to the centred picture, the rest of the screen required black) and
# compares every pixel with what the script drew. The X server gets a
# moment to catch up, as an OpenGL swap reaches other clients a little later.
check_picture() {
    local k=$1 where=${2:-window}
    wait_step "$k"
    local wid want="$tmp/want.ppm" got="$tmp/got.ppm"
    wid=$(cat "$shots/ready$k")
    local word colour size
    read -r word colour size <"$shots/step$k.ppm"
    if [ "$word" = solid ]; then
        convert -size "$size" "xc:#$colour" -depth 8 -strip "ppm:$want"
    else
        cp "$shots/step$k.ppm" "$want"
        colour=""
    fi
    local w h sw sh x0 y0
    read -r w h < <(identify -format '%w %h' "$want")
    for try in $(seq 40); do
        if [ "$where" = root ]; then
            read -r sw sh < <(xdotool getdisplaygeometry)
            x0=$(((sw - w) / 2)) y0=$(((sh - h) / 2))
            xwd -silent -root >"$tmp/shot.xwd" || fail
            convert "$tmp/shot.xwd" -crop "${w}x${h}+$x0+$y0" +repage -depth 8 -strip "ppm:$got"
        else
            xwd -silent -id "$wid" >"$tmp/shot.xwd" || fail
            convert "$tmp/shot.xwd" -depth 8 -strip "ppm:$got"
        fi
        cmp -s "$got" "$want" && break
        if [ "$try" -eq 40 ]; then
            echo "picture $k: the screen differs from what was drawn"
            echo "  drawn $(identify -format '%wx%h' "$want"), shown $(identify -format '%wx%h' "$got"),"\
                 "pixels differing: $(compare -metric AE "$got" "$want" null: 2>&1)"
            # ZD_E2E_KEEP=DIR keeps both pictures for a look.
            [ -n "${ZD_E2E_KEEP:-}" ] && cp "$got" "$want" "$ZD_E2E_KEEP/"
            fail
        fi
        sleep 0.05
    done
    local note
    note="window 0x$(printf %x "$wid")"
    if [ "$where" = root ]; then
        local outside
        outside=$(convert "$tmp/shot.xwd" -fill black \
            -draw "rectangle $x0,$y0 $((x0 + w - 1)),$((y0 + h - 1))" -format '%[max]' info:)
        if [ "$outside" != 0 ]; then
            echo "picture $k: the screen around the centred picture is not black"
            fail
        fi
        note="screen ${sw}x$sh, picture at $x0,$y0, black around it"
    fi
    echo "picture $k: ${w}x$h, $(identify -format %k "$want") colours${colour:+ (all #$colour)}," \
         "every pixel as drawn ($note)"
    touch "$shots/ack$k"
}

# A PNG with an opaque half and a translucent disc, for scene.lua to blit.
make_image() {
    convert -size 48x32 xc:none -fill "rgba(255,60,0,1)" -draw "rectangle 0,0 23,31" \
        -fill "rgba(0,90,255,0.5)" -draw "circle 24,16 24,2" "PNG32:$tmp/image.png"
}

# An example game in a real window: held for pictures after the given
# frames, played with the given keys after the first picture (none: its
# autopilot plays), and ended with Escape, as a player would. Its output must be its banner, the
# summary line (an extended regular expression) and "zarn quit".
#   play_example GAME FRAMES "GAME ARGS" "KEYS" BANNER SUMMARY
play_example() {
    local game=$1 frames=$2 game_args=$3 keys=$4 banner=$5 summary=$6
    # shellcheck disable=SC2086 # the game's arguments are words
    ZD_SHOT_AT="$frames" start_script -e "dofile '$here/shot_hook.lua'" \
        "$here/../../examples/$game.lua" $game_args
    local k=0
    for _ in $frames; do
        k=$((k + 1))
        check_picture "$k"
        if [ "$k" -eq 1 ]; then
            xdotool mousemove 30 30
            # shellcheck disable=SC2086
            [ -n "$keys" ] && xdotool key --delay 50 $keys
        fi
    done
    for _ in $(seq 20); do
        kill -0 "$apid" 2>/dev/null || break
        xdotool key Escape
        sleep 0.25
    done
    finish_any 0
    local out
    out=$(tr '\t' ' ' <"$tmp/out")
    if [ "$(sed -n 1p <<<"$out")" != "$banner" ] || [ "$(sed -n '$p' <<<"$out")" != "zarn quit" ] ||
        ! grep -qE "^$summary\$" <<<"$out" || [ "$(wc -l <<<"$out")" -ne 3 ]; then
        echo "output is not: $banner / $summary / zarn quit"
        fail
    fi
    echo "game printed: $(sed -n 2p <<<"$out")"
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
scene)
    # Fills, pixels, every shape, an image file, a sprite, text; then a
    # second frame over all of it.
    make_image
    start_script "$here/scene.lua" graphics "$shots" "$tmp/image.png"
    check_picture 1
    check_picture 2
    finish 0 "zarn init (400x300)
zarn quit"
    ;;
scene_console)
    start_script "$here/scene.lua" console "$shots"
    check_picture 1
    check_picture 2
    finish 0 "zarn init (40x12), curses mode
zarn quit"
    ;;
scene_fullscreen)
    make_image
    start_script "$here/scene.lua" fullscreen "$shots" "$tmp/image.png"
    check_picture 1 root
    check_picture 2 root
    finish 0 "zarn init (320x240), fullscreen
zarn quit"
    ;;
scene_opengl)
    # Red swapped in; blue cleared but not yet swapped; blue swapped in.
    start_script "$here/scene.lua" opengl "$shots"
    check_picture 1
    check_picture 2
    check_picture 3
    finish 0 "zarn init (320x240), OpenGL mode
30 frames
zarn quit"
    ;;
game_breakout)
    # The autopilot plays; Escape ends the game early.
    play_example breakout "10 60" "--frames 100000" "" "zarn init (640x480)" \
        "final score [0-9]+, level 1"
    ;;
game_roguelike)
    # A player's walk: two steps right and one back, three turns in all,
    # seen in the second picture.
    play_example roguelike "5 60" "" "Right Right Left" "zarn init (80x25), curses mode" \
        "final: depth 1, gold 0, turns 3"
    ;;
*)
    echo "unknown case $case_name"; exit 2 ;;
esac
