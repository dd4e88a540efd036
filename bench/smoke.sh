#!/usr/bin/env bash
# Quick check that the benchmark suite works, not how fast anything is: every
# plain-C baseline, every Lua workload under lua5.1 and luajit and every
# pygame workload (when /usr/bin/python3 has pygame) runs a tiny iteration
# count, exits 0 and reports every workload its C counterpart reports; the
# load-and-free loop runs a few rounds.
#
# usage: smoke.sh BUILD_DIR
set -u
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

. "$here/../tools/headless.sh"
headless_env dummy none
export BENCH_SCALE=0.0001 BENCH_REPS=1
export LUA_CPATH="$build/?.so;;" LUA_PATH="$here/lua/?.lua;;"
fail=0
names() { awk 'NF == 2 && $2 ~ /^[0-9.]+$/ { print $1 }' "$1" | sort; }

pygame=1
/usr/bin/python3 -c 'import pygame' >/dev/null 2>&1 || pygame=0
[ $pygame -eq 1 ] || echo "pygame not importable: pygame workloads skipped"

for src in "$here"/c/*.c; do
    name=${src##*/}
    name=${name%.c}
    if ! "$build/bench/bench_$name" >"$tmp/c" 2>"$tmp/err"; then
        echo "bench_$name failed:"; cat "$tmp/err"; fail=1; continue
    fi
    names "$tmp/c" >"$tmp/want"
    [ -s "$tmp/want" ] || { echo "bench_$name reported nothing"; fail=1; }
    sides=("lua5.1 $name.lua" "luajit $name.lua")
    [ $pygame -eq 1 ] && sides+=("/usr/bin/python3 ../py/$name.py")
    for side in "${sides[@]}"; do
        if ! (cd "$here/lua" && $side) >"$tmp/out" 2>"$tmp/err"; then
            echo "$side failed:"; cat "$tmp/err"; fail=1; continue
        fi
        names "$tmp/out" >"$tmp/got"
        missing=$(comm -23 "$tmp/want" "$tmp/got")
        if [ -n "$missing" ]; then
            echo "$side did not report:" $missing; fail=1
        fi
    done
done

convert -size 16x16 xc:red "$tmp/s.png" && sox -D -n -r 44100 -c 2 -b 16 "$tmp/s.wav" synth 0.01 sine 440 ||
    { echo "fixtures could not be made"; exit 1; }
headless_env "" dummy # sounds load and play
for interp in lua5.1 luajit; do
    if ! "$interp" "$here/mem/churn.lua" "$tmp/s.png" \
        /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf "$tmp/s.wav" 20 5 >"$tmp/churn" 2>"$tmp/err" ||
        ! grep -q '^churn_growth -\?[0-9]*$' "$tmp/churn"; then
        echo "churn.lua under $interp failed:"; cat "$tmp/churn" "$tmp/err"; fail=1
    fi
done
exit $fail
