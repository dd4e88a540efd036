#!/usr/bin/env bash
# Runs one case of lua/cases.lua under one interpreter in a process of its
# own: its standard output must be lua/NAME.out byte for byte and its exit
# status STATUS. NAME=VALUE words are added to its environment.
# usage: run_script.sh INTERPRETER NAME STATUS MODULE_DIR [NAME=VALUE...]
set -u
here=$(cd "$(dirname "$0")" && pwd) tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
env ${ZD_PRELOAD:+LD_PRELOAD=$ZD_PRELOAD} "${@:5}" LUA_CPATH="$4/?.so" LUA_PATH="$here/../lua/?.lua;;" \
    ZD_TMP="$tmp" ZD_TESTS="$here" "$1" "$here/lua/cases.lua" "$2" >"$tmp/out" 2>"$tmp/err" </dev/null
status=$?
out=$here/lua/$2.out
[ -f "$out" ] || out=$here/lua/${2#checked_}.out # checked mode prints what the module prints
if [ "$status" -ne "$3" ] || ! cmp -s "$out" "$tmp/out"; then
    echo "exit status $status (expected $3); standard output against ${out##*/}:"
    diff "$out" "$tmp/out" | head -n 20
    echo "--- stderr:"; head -c 4000 "$tmp/err"
    exit 1
fi
