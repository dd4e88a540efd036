#!/usr/bin/env bash
# Runs one case file (tests/lua/NAME.lua, tests/script/NAME.lua) under one
# interpreter in a process of its own: its exit status must be STATUS and,
# where NAME.out is beside it (or, for checked_NAME, NAME.out: checked mode
# prints what the module prints), its standard output that file byte for
# byte. NAME=VALUE words are added to its environment (@TMP@ in them: the
# case's scratch directory, ZD_TMP).
# usage: run_script.sh INTERPRETER FILE STATUS MODULE_DIR PROBE_DIR [NAME=VALUE...]
set -u
here=$(cd "$(dirname "$0")" && pwd) tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
words=("${@:6}")
env ${ZD_PRELOAD:+LD_PRELOAD=$ZD_PRELOAD} ${words[@]+"${words[@]//@TMP@/$tmp}"} LUA_CPATH="$4/?.so;$5/?.so" \
    LUA_PATH="$here/../lua/?.lua;;" ZD_TMP="$tmp" "$1" "$2" >"$tmp/out" 2>"$tmp/err" </dev/null
status=$?
dir=$(dirname "$2") name=$(basename "$2" .lua)
out=$dir/$name.out
[ -f "$out" ] || out=$dir/${name#checked_}.out
[ -f "$out" ] || out=$tmp/out # nothing to compare
if [ "$status" -ne "$3" ] || ! cmp -s "$out" "$tmp/out"; then
    echo "exit status $status (expected $3); standard output against ${out##*/}:"
    diff "$out" "$tmp/out" | head -n 20
    echo "--- stderr:"; head -c 4000 "$tmp/err"
    exit 1
fi
