#!/usr/bin/env bash
# Instructions per operation of every workload on every side, counted by
# valgrind's callgrind: unlike CPU time, the counts repeat exactly from run to
# run and do not depend on what else the machine is doing, so they are the
# measure to judge a change by. Each count is the difference between a run of
# the workload alone with two repetitions and one with one repetition,
# divided by the iterations of one repetition: start-up, set-up and (under
# luajit) the first compilation fall out, the steady state remains.
#
# usage: bench/instr.sh [NAME...]   NAME: a workload file (query, draw, text,
#                                   console, frame); none: all
# environment: BUILD_DIR (default build-bench), INSTR_SCALE (iteration
#   scale, default 0.02), INSTR_PYGAME=0 to leave pygame out (slowest side)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${BUILD_DIR:-build-bench}
scale=${INSTR_SCALE:-0.02}

files=("$@")
if [ ${#files[@]} -eq 0 ]; then
    for name in query draw text console frame; do
        [ -f "bench/c/$name.c" ] && files+=("$name")
    done
fi
bash tools/build.sh "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -- zedodava "${files[@]/#/bench_}"

. tools/headless.sh
headless_env dummy none
export LUA_CPATH="$root/$build/?.so;;" LUA_PATH="$root/bench/lua/?.lua;;"
export BENCH_SCALE=$scale BENCH_SHOW_N=1
pygame=${INSTR_PYGAME:-1}
if [ "$pygame" = 1 ] && ! /usr/bin/python3 -c 'import pygame' >/dev/null 2>&1; then
    pygame=0
fi

# count SIDE-COMMAND WORKLOAD: prints instructions per operation.
count() {
    local cmd=$1 only=$2 i1 i2 n
    i1=$(cd bench/lua && BENCH_ONLY=$only BENCH_REPS=1 valgrind --tool=callgrind \
        --callgrind-out-file=/dev/null $cmd 2>&1 >/dev/null | sed -n 's/.*Collected : //p')
    out=$(cd bench/lua && BENCH_ONLY=$only BENCH_REPS=2 valgrind --tool=callgrind \
        --callgrind-out-file=/dev/null $cmd 2>"$tmp/err")
    i2=$(sed -n 's/.*Collected : //p' "$tmp/err")
    n=$(echo "$out" | awk -v w="$only" '$1 == w && NF == 3 { print $3 }')
    if [ -z "$n" ] || [ -z "$i1" ] || [ -z "$i2" ]; then
        echo "-"
    else
        echo $(((i2 - i1) / n))
    fi
}

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
echo "source: commit $(git rev-parse --short HEAD)$(git status --porcelain -- src include | grep -q . && echo ', with uncommitted changes in src/ or include/')"
echo "instructions per operation (callgrind), steady state; iteration scale $scale"
printf "%-26s %10s %10s %10s %10s %7s %7s %7s %7s\n" workload C lua5.1 luajit pygame lua/C jit/C lua/pg jit/pg
for file in "${files[@]}"; do
    for name in $(BENCH_SCALE=0.0001 BENCH_REPS=1 "$build/bench/bench_$file" | awk '{ print $1 }'); do
        c=$(count "$root/$build/bench/bench_$file" "$name")
        l=$(count "lua5.1 $file.lua" "$name")
        j=$(count "luajit $file.lua" "$name")
        p=-
        [ "$pygame" = 1 ] && p=$(count "/usr/bin/python3 ../py/$file.py" "$name")
        echo "$name $c $l $j $p"
    done
done | awk '
    function ratio(a, b) { return (a == "-" || b == "-" || b + 0 <= 0) ? "-" : sprintf("%.2f", a / b) }
    { printf "%-26s %10s %10s %10s %10s %7s %7s %7s %7s\n", $1, $2, $3, $4, $5,
             ratio($3, $2), ratio($4, $2), ratio($3, $5), ratio($4, $5) }'
