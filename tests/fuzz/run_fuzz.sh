#!/usr/bin/env bash
# Runs fuzz.lua under one interpreter against the module in MODULE_DIR: in
# the sanitizer build a report aborts it; with "valgrind", memcheck must see
# no bad access and nothing the module owns lost (what the libraries beneath
# it keep is in sdl.supp, each entry with its reason); with "x11", on Xvfb,
# where start-ups also ask for OpenGL (in software). ZD_FUZZ_SEED: not 1.
# usage: run_fuzz.sh INTERPRETER MODULE_DIR CALLS [valgrind|x11]
set -u
here=$(cd "$(dirname "$0")" && pwd) tmp=$(mktemp -d) seed=${ZD_FUZZ_SEED:-1} runner=() xpid=""
trap 'kill $xpid 2>/dev/null; wait; rm -rf "$tmp"' EXIT
[ "${4:-}" = valgrind ] && runner=(valgrind -q --leak-check=full --errors-for-leak-kinds=definite,indirect
    --show-leak-kinds=definite,indirect "--suppressions=$here/sdl.supp" --error-exitcode=3
    --child-silent-after-fork=yes) # probe's children end without freeing what they loaded
[ "${4:-}" = x11 ] && { . "$here/../../tools/xvfb.sh"; start_xvfb 640x480x24; export SDL_VIDEODRIVER=x11 ZD_FUZZ_GL=1; }
if ! env ${ZD_PRELOAD:+LD_PRELOAD=$ZD_PRELOAD} LUA_CPATH="$2/?.so" ZD_TMP="$tmp" "${runner[@]}" "$1" \
    "$here/fuzz.lua" "$3" "$seed" >"$tmp/out" 2>"$tmp/err" </dev/null; then
    echo "fuzzer failed (seed $seed):"; tail -n 80 "$tmp/err"; exit 1
fi
grep '^fuzz:' "$tmp/err"
