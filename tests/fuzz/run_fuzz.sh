#!/usr/bin/env bash
# Runs fuzz.lua under one interpreter against the module in MODULE_DIR: in
# the sanitizer build a report aborts it; with "valgrind", memcheck must see
# no bad access and nothing the module owns lost (what the libraries beneath
# it keep is listed in sdl.supp, each entry with its reason).
#
# usage: run_fuzz.sh INTERPRETER MODULE_DIR CALLS [valgrind]
# ZD_FUZZ_SEED picks another seed than 1.
set -u
here=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
seed=${ZD_FUZZ_SEED:-1}
runner=()
if [ "${4:-}" = valgrind ]; then
    runner=(valgrind -q --leak-check=full --errors-for-leak-kinds=definite,indirect
            --show-leak-kinds=definite,indirect "--suppressions=$here/sdl.supp" --error-exitcode=3)
fi
env ${ZD_PRELOAD:+LD_PRELOAD=$ZD_PRELOAD} LUA_CPATH="$2/?.so" ZD_TMP="$tmp" "${runner[@]}" \
    "$1" "$here/fuzz.lua" "$3" "$seed" >"$tmp/out" 2>"$tmp/err" </dev/null
status=$?
grep '^fuzz:' "$tmp/err"
if [ "$status" -ne 0 ]; then
    echo "fuzzer failed with status $status (seed $seed):"
    tail -n 80 "$tmp/err"
    exit 1
fi
