#!/usr/bin/env bash
# Builds the module and the plain-C baselines and prints, for every workload,
# the cost per operation of the C baseline, of the module under lua5.1 and
# under luajit, and the module/baseline ratios. Headless: dummy video, no audio.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 >/dev/null

export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=none
export LUA_CPATH="$PWD/build/?.so;;" LUA_PATH="$PWD/bench/lua/?.lua;;"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

only=${1:-}
for prog in build/bench/bench_*; do
    name=${prog##*/bench_}
    [ -n "$only" ] && [ "$name" != "$only" ] && continue
    "$prog" >>"$out/c"
    (cd bench/lua && lua5.1 "$name.lua" | grep -v '^zarn\|^Couldn' >>"$out/lua51")
    (cd bench/lua && luajit "$name.lua" | grep -v '^zarn\|^Couldn' >>"$out/luajit")
done

echo "CPU: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
echo "ns per operation (median of 5 runs; process CPU time)"
awk 'FNR == 1 { f++ }
     f == 1 { c[$1] = $2; order[++n] = $1 }
     f == 2 { l[$1] = $2 }
     f == 3 { j[$1] = $2 }
     END {
        printf "%-28s %10s %10s %10s %9s %9s\n", "workload", "C", "lua5.1", "luajit", "lua/C", "jit/C"
        for (i = 1; i <= n; i++) {
            k = order[i]
            printf "%-28s %10.1f %10.1f %10.1f %9.2f %9.2f\n", k, c[k], l[k], j[k], \
                   (c[k] > 0 ? l[k] / c[k] : 0), (c[k] > 0 ? j[k] / c[k] : 0)
        }
     }' "$out/c" "$out/lua51" "$out/luajit"
