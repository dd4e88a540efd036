#!/usr/bin/env bash
# Runs exercise.lua under valgrind's memcheck with the module of the given
# build tree and fails on any block definitely or indirectly lost. Leaks that
# belong to SDL, its drivers or the system libraries, never to the module,
# are listed with a reason each in sdl.supp.
#
# usage: leak_check.sh MODULE_DIR
set -u
moddir=$1
here=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

env SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null SDL_DISKAUDIODELAY=0 \
    LUA_CPATH="$moddir/?.so" ZD_TMP="$tmp" \
    valgrind --tool=memcheck --leak-check=full --errors-for-leak-kinds=definite,indirect \
    --show-leak-kinds=definite,indirect --suppressions="$here/sdl.supp" --gen-suppressions=all \
    --error-exitcode=3 --num-callers=30 --log-file="$tmp/valgrind.log" \
    lua5.1 "$here/exercise.lua" >"$tmp/out" 2>"$tmp/err"
status=$?
if [ "$status" -ne 0 ] || ! grep -q '^exercised$' "$tmp/out"; then
    echo "exit status $status"
    tail -n 5 "$tmp/out" "$tmp/err"
    grep -v '^==[0-9]*== *$' "$tmp/valgrind.log" | tail -n 150
    exit 1
fi
grep -E 'definitely lost|indirectly lost|ERROR SUMMARY' "$tmp/valgrind.log"
