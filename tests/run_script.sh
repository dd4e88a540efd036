#!/usr/bin/env bash
# Runs one case of lua/cases.lua under one interpreter, in a process of its
# own, and compares its standard output with lua/NAME.out byte for byte and
# its exit status with STATUS. NAME=VALUE words are added to its environment.
#
# usage: run_script.sh INTERPRETER NAME STATUS MODULE_DIR [NAME=VALUE...]
set -u
interp=$1 name=$2 want=$3 moddir=$4
shift 4
here=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
env ${ZD_PRELOAD:+LD_PRELOAD=$ZD_PRELOAD} "$@" LUA_CPATH="$moddir/?.so" \
    LUA_PATH="$here/../lua/?.lua;;" ZD_TMP="$tmp" ZD_TESTS="$here" \
    "$interp" "$here/lua/cases.lua" "$name" >"$tmp/out" 2>"$tmp/err" </dev/null
status=$?
if [ "$status" -ne "$want" ] || ! cmp -s "$here/lua/$name.out" "$tmp/out"; then
    echo "exit status $status (expected $want); standard output against $name.out:"
    diff "$here/lua/$name.out" "$tmp/out" | head -n 20
    echo "--- stderr:"
    head -c 4000 "$tmp/err"
    exit 1
fi
