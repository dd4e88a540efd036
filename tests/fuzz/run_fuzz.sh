#!/usr/bin/env bash
# Runs the argument fuzzer for a bounded time under one interpreter against the
# module in MODULE_DIR (the sanitizer build: a report aborts the process).
#
# usage: run_fuzz.sh INTERPRETER MODULE_DIR SECONDS [text]
# With "text" only printFont is called, under valgrind's memcheck.
set -u
interp=$1
moddir=$(cd "$2" && pwd)
seconds=$3
here=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
seed=${ZD_FUZZ_SEED:-$(date +%s)}

mode=${4:-}
envs=()
runner=()
if [ "$mode" = text ]; then
    runner=(valgrind -q --error-exitcode=3 --num-callers=30)
fi
if [ -n "${ZD_PRELOAD:-}" ] && [ "$mode" != text ]; then
    envs+=("LD_PRELOAD=$ZD_PRELOAD" "ASAN_OPTIONS=detect_leaks=0")
fi
(cd "$tmp" && env "${envs[@]}" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=disk \
    SDL_DISKAUDIOFILE=/dev/null SDL_DISKAUDIODELAY=0 ZD_TMP="$tmp" LUA_CPATH="$moddir/?.so" \
    "${runner[@]}" "$interp" "$here/fuzz.lua" "$seconds" "$seed" $mode \
    >"$tmp/out" 2>"$tmp/err" </dev/null)
status=$?
grep '^fuzz:' "$tmp/err"
if [ "$status" -ne 0 ]; then
    echo "fuzzer failed with status $status (seed $seed); last output:"
    tail -n 40 "$tmp/err"
    exit 1
fi
