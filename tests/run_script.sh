#!/usr/bin/env bash
# Runs one Lua test script under one interpreter and checks its standard
# output byte for byte against NAME.out and its exit status.
#
# usage: run_script.sh INTERPRETER SCRIPT MODULE_DIR
#
# Lines at the top of the script configure the run:
#   -- status: N          expected exit status (default 0)
#   -- env: NAME=VALUE    extra environment (repeatable)
# The script sees ZD_TMP (a fresh scratch directory) and ZD_TESTS (tests/).
set -u
interp=$1
script=$2
moddir=$3
expected_out="${script%.lua}.out"

want_status=$(sed -n 's/^-- status: *\([0-9]*\).*/\1/p' "$script" | head -n 1)
want_status=${want_status:-0}

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

envs=(SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null
      SDL_DISKAUDIODELAY=0 "LUA_CPATH=$moddir/?.so" "LUA_PATH=$(cd "$(dirname "$0")/.." && pwd)/lua/?.lua;;"
      "ZD_TMP=$tmp" "ZD_TESTS=$(cd "$(dirname "$script")/.." && pwd)")
while IFS= read -r line; do
    envs+=("$line")
done < <(sed -n 's/^-- env: *//p' "$script")
if [ -n "${ZD_PRELOAD:-}" ]; then
    envs+=("LD_PRELOAD=$ZD_PRELOAD" "ASAN_OPTIONS=detect_leaks=0:abort_on_error=0")
fi

env "${envs[@]}" "$interp" "$script" >"$tmp/stdout" 2>"$tmp/stderr" </dev/null
status=$?

fail=0
if [ "$status" -ne "$want_status" ]; then
    echo "exit status $status, expected $want_status"
    fail=1
fi
if [ -f "$expected_out" ]; then
    if ! cmp -s "$expected_out" "$tmp/stdout"; then
        echo "standard output differs from $(basename "$expected_out"):"
        diff <(od -c "$expected_out") <(od -c "$tmp/stdout") | head -n 20
        fail=1
    fi
elif [ -s "$tmp/stdout" ]; then
    echo "unexpected standard output:"
    head -c 2000 "$tmp/stdout"
    fail=1
fi
if [ "$fail" -ne 0 ] && [ -s "$tmp/stderr" ]; then
    echo "--- stderr:"
    head -c 4000 "$tmp/stderr"
fi
exit "$fail"
