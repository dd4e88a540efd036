#!/usr/bin/env bash
# The zedodava command on the game run/main.lua: its folder and arguments,
# --frames, --checked with the error at the game's line, --headless on a
# virtual X server, and a recording replayed under each interpreter with the
# same output and the same last frame, with a key press added, and against a
# changed game.
# usage: run_check.sh MODULE_DIR INTERPRETER...
set -u
here=$(cd "$(dirname "$0")" && pwd) tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export ZEDODAVA_MODULE_DIR=$1
shift
cd "$tmp" || exit 1
zd() { "$here/../bin/zedodava" --lua "$@" >out 2>err </dev/null; echo $? >status; }
fail() { echo "$1"; echo "--- output:"; head -n 12 out; echo "--- stderr:"; head -n 12 err; exit 1; }
expect() { [ "$(cat status)" = "$1" ] || fail "status $(cat status), expected $1: $2"; }
frames() { grep -P '^\d+\t' "$1"; }

sound=disk
ls /dev/snd/pcm*p >/dev/null 2>&1 || sound=dummy
for lua in "$@"; do
    zd "$lua" --frames 3 "$here/run" plain
    expect 0 --frames
    [ "$(head -n 1 out)" = "$(printf 'main.lua\tplain\ttrue\ttrue\tdummy\tdisk')" ] || fail "arg, folder"
    [ "$(frames out | wc -l)" = 3 ] && [ "$(tail -n 1 out)" = "zarn quit" ] || fail "--frames 3"
    zd "$lua" --checked "$here/run" mistake
    expect 1 --checked
    grep -q "^main.lua:[0-9]*: bad argument #5 to 'fill'" err && grep -q "main.lua:[0-9]*: in main chunk" err ||
        fail "--checked: the error at the game's line"
    (unset SDL_VIDEODRIVER SDL_AUDIODRIVER && zd "$lua" --headless --frames 1 "$here/run")
    expect 0 --headless
    [ "$(head -n 1 out | cut -f 5,6)" = "$(printf 'x11\t%s' $sound)" ] || fail "--headless, no sound card"
done

zd "$1" --record rec --frames 25 --screenshot shot.png "$here/run" play
expect 0 --record
mv out recorded
# The player pressed a key (code 9) before the fifth frame.
awk '/^"input"/ && ++n == 5 { print "\"input\",2,1,9" } 1' rec >rec_key
first=${1##*/}
for lua in "$@"; do
    n=${lua##*/}
    for r in rec rec_key; do
        zd "$lua" --replay $r --screenshot $r.$n.png "$here/run" play
        expect 0 "--replay $r"
        mv out $r.$n.out
    done
    cmp -s recorded rec.$n.out && cmp -s shot.png rec.$n.png || fail "$n: the replay differs"
    [ "$(frames rec_key.$n.out | cut -f 2 | sort -u | tr '\n' ' ')" = "0 9 " ] || fail "$n: the key"
    cmp -s rec_key.$first.out rec_key.$n.out && cmp -s rec_key.$first.png rec_key.$n.png || fail "$n: key replay"
    ! cmp -s shot.png rec_key.$n.png || fail "$n: the key changed nothing on the screen"
    zd "$lua" --replay rec "$here/run" steady
    expect 1 "a changed game"
    grep -q "^main.lua:[0-9]*: replay out of step at line 4: the game asked for 'mouse'" err || fail "out of step"
done
