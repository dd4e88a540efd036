#!/usr/bin/env bash
# The zedodava command on run/main.lua under each interpreter: its options, the error screen, and
# a recording replayed (same output and last frame), with a key press added, against a changed game.
# usage: run_check.sh MODULE_DIR INTERPRETER...
set -u
here=$(cd "$(dirname "$0")" && pwd) tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export ZEDODAVA_MODULE_DIR=$1 && shift
cd "$tmp" || exit 1
fail() { echo "$1"; echo "--- output:"; head -n 12 out; echo "--- stderr:"; head -n 12 err; exit 1; }
# zd STATUS WHAT INTERPRETER ARG...: a run that must end with STATUS
zd() { "$here/../bin/zedodava" --lua "${@:3}" >out 2>err </dev/null; s=$?; [ $s = "$1" ] || fail "status $s: $2"; }
frames() { grep -P '^\d+\t' "$1"; }
sound=disk && ! ls /dev/snd/pcm*p >/dev/null 2>&1 && sound=dummy
for lua in "$@"; do
    zd 0 --frames "$lua" --frames 3 "$here/run" plain
    [ "$(head -n 1 out)" = "$(printf 'main.lua\tplain\ttrue\ttrue\tdummy\tdisk')" ] || fail "arg, folder"
    [ "$(frames out | wc -l)" = 3 ] && [ "$(tail -n 1 out)" = "zarn quit" ] || fail "--frames 3"
    zd 1 --checked "$lua" --checked "$here/run" mistake
    grep -q "^main.lua:[0-9]*: bad argument #5 to 'fill'" err && grep -q "main.lua:[0-9]*: in main chunk" err ||
        fail "--checked: the error at the game's line"
    (unset SDL_VIDEODRIVER SDL_AUDIODRIVER && zd 0 --headless "$lua" --headless --frames 1 "$here/run") || exit 1
    [ "$(head -n 1 out | cut -f 5,6)" = "$(printf 'x11\t%s' $sound)" ] || fail "--headless, no sound card"
done
(unset SDL_VIDEODRIVER && . "$here/../tools/xvfb.sh" && start_xvfb 320x240x24 && trap 'kill $xpid $p' EXIT
    "$here/../bin/zedodava" --lua "$1" --checked "$here/run" mistake >out 2>err & p=$!
    until xwd -root -silent | convert xwd:- -crop 1x1+2+2 -depth 8 txt:- | grep -q 280000; do
        kill -0 $p 2>/dev/null || exit 1; sleep 0.05; done
    xdotool mousemove 9 9 key a; wait $p; s=$?; p=""; [ $s = 1 ] && grep -q "in main chunk" err) ||
    fail "the error screen: drawn in the window, closed by a key, then status 1"
zd 0 --record "$1" --record rec --frames 25 --screenshot shot.png "$here/run" play
mv out recorded
awk '/^"input"/ && ++n == 5 { print "\"input\",2,1,9" } 1' rec >rec_key # key 9 before the fifth frame
for lua in "$@"; do
    n=${lua##*/}
    for r in rec rec_key; do
        zd 0 "--replay $r" "$lua" --replay $r --screenshot $r.$n.png "$here/run" play
        mv out $r.$n.out
    done
    cmp -s recorded rec.$n.out && cmp -s shot.png rec.$n.png || fail "$n: the replay differs"
    [ "$(frames rec_key.$n.out | cut -f 2 | sort -u | tr '\n' ' ')" = "0 9 " ] || fail "$n: the key"
    cmp -s rec_key.${1##*/}.out rec_key.$n.out && cmp -s rec_key.${1##*/}.png rec_key.$n.png &&
        ! cmp -s shot.png rec_key.$n.png || fail "$n: the replayed key press"
    zd 1 "a changed game" "$lua" --replay rec "$here/run" steady
    grep -q "^main.lua:[0-9]*: replay out of step at line 4: the game asked for 'mouse'" err || fail "out of step"
done
