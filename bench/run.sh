#!/usr/bin/env bash
# The benchmark suite in one run. Builds the module and the plain-C
# baselines, then times every workload four ways: a plain-C program making
# the same SDL calls with no interpreter (the limit), the module under lua5.1
# and under luajit, and the same workload written with pygame (Debian's
# python3-pygame under /usr/bin/python3; note that it is built on SDL2, not
# SDL 1.2). Prints one table of nanoseconds per operation with the ratios,
# then what checked mode (zedodava.checked) adds to the cheapest calls and to
# the whole frame, then the memory checks: peak resident size of each example
# game after 1000 frames, and a load-and-free loop whose resident size must
# stay flat.
#
# usage: bench/run.sh [NAME...]   NAME: a workload file (query, draw, text,
#                                 console, frame, window) or "memory"; none: all
# environment:
#   BUILD_DIR     build tree (default build-bench)
#   BENCH_ROUNDS  rounds of all four sides, interleaved (default 5); each
#                 figure is the median over the rounds of each round's
#                 median of BENCH_REPS repetitions
#   BENCH_REPS    repetitions per process (default 5)
#   BENCH_SCALE   multiplies every iteration count (default 1)
#   CHURN_ROUNDS  rounds of the load-and-free loop (default 10000)
#   FRAMES        frames each example game runs (default 1000)
#   BENCH_BEFORE  a build tree of an earlier commit (its zedodava.so): the Lua
#                 sides run with it too, interleaved, and a second table
#                 compares the two modules row by row
#
# Every side runs headless (SDL_VIDEODRIVER=dummy) at 640x480, 32 bpp, on the
# same pseudo-random positions. Times are process CPU time. The frame and
# window workloads also run on a virtual X server (Xvfb, 1920x1080, 24-bit)
# with SDL_VIDEODRIVER=x11, in rows named *_x11_*: there flip sends the
# picture to the server, and the server's CPU time is added to the process's.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${BUILD_DIR:-build-bench}
rounds=${BENCH_ROUNDS:-5}

# The table's order: the per-call floor, drawing, text, the console, the
# whole frame; any other workload file after them.
workloads=()
for name in query draw text console frame window; do
    [ -f "bench/c/$name.c" ] && workloads+=("$name")
done
for src in bench/c/*.c; do
    name=${src##*/}
    name=${name%.c}
    case " ${workloads[*]} " in *" $name "*) ;; *) workloads+=("$name") ;; esac
done
bash tools/build.sh "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -- zedodava "${workloads[@]/#/bench_}"

want=("$@")
if [ ${#want[@]} -eq 0 ]; then
    want=("${workloads[@]}" memory)
fi
selected=()
run_memory=0
for w in "${want[@]}"; do
    if [ "$w" = memory ]; then
        run_memory=1
    elif [ -f "bench/c/$w.c" ]; then
        selected+=("$w")
    else
        echo "no workload $w (have: ${workloads[*]} memory)" >&2
        exit 2
    fi
done

# No audio thread competing for the processor while timing.
. tools/headless.sh
headless_env dummy none
export LUA_CPATH="$root/$build/?.so;;" LUA_PATH="$root/bench/lua/?.lua;$root/lua/?.lua;;"
out=$(mktemp -d)
xpid=
trap 'rm -rf "$out"; [ -z "$xpid" ] || kill "$xpid"' EXIT
before=${BENCH_BEFORE:-}
if [ -n "$before" ] && [ ! -f "$before/zedodava.so" ]; then
    echo "BENCH_BEFORE=$before holds no zedodava.so" >&2
    exit 2
fi

have_pygame=1
if ! /usr/bin/python3 -c 'import pygame' >/dev/null 2>&1; then
    have_pygame=0
    echo "note: /usr/bin/python3 cannot import pygame; the pygame column stays empty" >&2
fi

# Keeps only the "workload ns_per_op" lines and tags them: SIDE ROUND NAME NS.
tag() { awk -v side="$1" -v round="$2" 'NF == 2 && $2 ~ /^[0-9.]+$/ { print side, round, $1, $2 }'; }

# The median of a space-separated list, for the awk programs below.
median='
    function median(list,    v, n, i, j, t) {
        n = split(list, v, " ")
        for (i = 2; i <= n; i++)
            for (j = i; j > 1 && v[j - 1] + 0 > v[j] + 0; j--) { t = v[j]; v[j] = v[j - 1]; v[j - 1] = t }
        return n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
    }'

# Two runs of the same workloads side by side, in the second run's order:
# each interpreter's median in the first and in the second, then either
# their ratio (first / second) or, with HOW "added", what the second adds.
# usage: side_by_side NAME HOW WIDTH FIRST SECOND
side_by_side() {
    awk -v name="$1" -v how="$2" -v wd="$3" "$median"'
        FNR == 1 { file++ }
        { k = file SUBSEP $1 SUBSEP $3; t[k] = (k in t ? t[k] " " : "") $4
          if (file == 2 && !($3 in seen)) { seen[$3] = 1; order[++n] = $3 } }
        END {
            printf "%-26s %11s %11s %" wd "s %11s %11s %" wd "s\n", "workload", "lua5.1", name, how, "luajit", name, how
            for (i = 1; i <= n; i++) {
                w = order[i]; line = sprintf("%-26s", w)
                for (s = 1; s <= 2; s++) {
                    side = s == 1 ? "lua51" : "luajit"
                    p = median(t[1, side, w]); q = median(t[2, side, w])
                    if (how == "added")
                        line = line sprintf(" %11.1f %11.1f %9.1f", p, q, q - p)
                    else
                        line = line sprintf(" %11.1f %11.1f %7.2f", p, q, q > 0 ? p / q : 0)
                }
                print line
            }
        }' "$4" "$5"
}

# The workloads that also run on the virtual X server.
on_x=()
for name in "${selected[@]}"; do
    case $name in frame | window) on_x+=("$name") ;; esac
done
if [ ${#on_x[@]} -gt 0 ]; then
    tmp=$out
    . tools/xvfb.sh
    start_xvfb 1920x1080x24
fi

# The four sides of one workload in one round; with "x11", on the X server.
sides() {
    local name=$1 r=$2
    "$build/bench/bench_$name" | tag c "$r" >>"$out/times"
    (cd bench/lua && lua5.1 "$name.lua") | tag lua51 "$r" >>"$out/times"
    (cd bench/lua && luajit "$name.lua") | tag luajit "$r" >>"$out/times"
    if [ $have_pygame -eq 1 ]; then
        (cd bench/py && /usr/bin/python3 "$name.py") | tag pygame "$r" >>"$out/times"
    fi
}

cpu=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')
if [ ${#selected[@]} -gt 0 ]; then
    for ((r = 1; r <= rounds; r++)); do
        for name in "${selected[@]}"; do
            echo "round $r/$rounds: $name" >&2
            sides "$name" "$r"
            if [ -n "$before" ]; then
                (cd bench/lua && LUA_CPATH="$before/?.so;;" lua5.1 "$name.lua") | tag lua51 "$r" >>"$out/before"
                (cd bench/lua && LUA_CPATH="$before/?.so;;" luajit "$name.lua") | tag luajit "$r" >>"$out/before"
            fi
        done
        for name in "${on_x[@]}"; do
            echo "round $r/$rounds: $name on the X server" >&2
            SDL_VIDEODRIVER=x11 BENCH_SERVER_PID=$xpid sides "$name" "$r"
        done
    done

    echo "CPU: $cpu ($(nproc) cores)"
    echo "source: commit $(git rev-parse --short HEAD)$(git status --porcelain -- src include | grep -q . && echo ', with uncommitted changes in src/ or include/')"
    echo "lua5.1: $(lua5.1 -v 2>&1 | head -n 1)"
    echo "luajit: $(luajit -v 2>&1 | head -n 1)"
    if [ $have_pygame -eq 1 ]; then
        echo "pygame: $(/usr/bin/python3 -c 'import pygame; print("pygame", pygame.version.ver, "on SDL", ".".join(map(str, pygame.get_sdl_version())), "(SDL2), Python", __import__("platform").python_version())')"
    fi
    echo "C and zedodava: SDL $(pkg-config --modversion sdl), SDL_gfx $(pkg-config --modversion SDL_gfx), SDL_ttf $(pkg-config --modversion SDL_ttf)"
    echo "load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
    echo "ns per operation, process CPU time (*_x11_* rows: and the X server's); median over $rounds rounds of the median of ${BENCH_REPS:-5} repetitions"
    echo "goals: jit/C <= 1.3, lua/C <= 2.0, lua/pg and jit/pg <= 1.0; a ratio that misses its goal is marked *"
    echo
    awk "$median"'
        function cell(side, name) { return (side SUBSEP name) in t ? sprintf("%.1f", median(t[side, name])) : "-" }
        function ratio(a, b, goal,    s) {
            if (a == "-" || b == "-" || b + 0 <= 0) return "-"
            s = sprintf("%.2f", a / b)
            return (a / b > goal ? s "*" : s)
        }
        {
            if (!($3 in seen)) { seen[$3] = 1; order[++n] = $3 }
            t[$1, $3] = (($1 SUBSEP $3) in t ? t[$1, $3] " " : "") $4
        }
        END {
            printf "%-26s %11s %11s %11s %11s %7s %7s %7s %7s\n", "workload", "C", "lua5.1", "luajit", "pygame", "lua/C", "jit/C", "lua/pg", "jit/pg"
            for (i = 1; i <= n; i++) {
                k = order[i]
                c = cell("c", k); l = cell("lua51", k); j = cell("luajit", k); p = cell("pygame", k)
                printf "%-26s %11s %11s %11s %11s %7s %7s %7s %7s\n", k, c, l, j, p, ratio(l, c, 2.0), ratio(j, c, 1.3), ratio(l, p, 1.0), ratio(j, p, 1.0)
                if (k == "frame_typical") {
                    fl = sprintf("%-26s", "  frames per second")
                    split("c lua51 luajit pygame", sides, " ")
                    for (s = 1; s <= 4; s++) {
                        v = cell(sides[s], k)
                        fl = fl sprintf(" %11s", v == "-" ? "-" : sprintf("%.0f", 1e9 / v))
                    }
                    frames = fl
                }
            }
            if (frames != "") print frames
        }' "$out/times"

    if [ -s "$out/before" ]; then
        echo
        echo "against the module of BENCH_BEFORE ($before, commit $(git -C "$before" rev-parse --short HEAD 2>/dev/null || echo unknown)): ns per operation, before and now"
        side_by_side before now/bef 7 "$out/times" "$out/before"
    fi

    # Checked mode's cost on the cheapest calls and on the whole frame: the
    # same workloads with `require "zedodava"` answered by zedodava.checked.
    checked="package.loaded.zedodava = require 'zedodava.checked'"
    for ((r = 1; r <= rounds; r++)); do
        for w in query:isKeyDown draw:putpix draw:fill_32x32 frame:frame_typical; do
            case " ${selected[*]} " in *" ${w%%:*} "*) ;; *) continue ;; esac
            echo "round $r/$rounds: ${w#*:} in checked mode" >&2
            (cd bench/lua && BENCH_ONLY=${w#*:} lua5.1 -e "$checked" "${w%%:*}.lua") | tag lua51 "$r" >>"$out/checked"
            (cd bench/lua && BENCH_ONLY=${w#*:} luajit -e "$checked" "${w%%:*}.lua") | tag luajit "$r" >>"$out/checked"
        done
    done
    if [ -s "$out/checked" ]; then
        echo
        echo "checked mode (require \"zedodava.checked\"): ns per operation, plain and checked, and what checking adds"
        side_by_side checked added 9 "$out/times" "$out/checked"
    fi
fi

if [ $run_memory -eq 1 ]; then
    echo
    echo "memory: SDL_AUDIODRIVER=dummy, so that sounds load and play"
    headless_env "" dummy
    frames=${FRAMES:-1000}
    # The example games side by side (each paces itself at 60 frames per second).
    games=()
    for ex in examples/*.lua; do
        name=${ex##*/}
        name=${name%.lua}
        for interp in lua5.1 luajit; do
            games+=("$name.$interp=$interp $ex --frames $frames")
        done
    done
    echo "peak resident size after $frames frames (KiB; status is the exit status):"
    /usr/bin/python3 bench/mem/peak_rss.py 600 "${games[@]}" |
        awk '{ printf "  %-36s %8d KiB%s\n", $1, $3, ($2 == 0 ? "" : "   (exit status " $2 ")") }'

    # The load-and-free loop, with its fixtures.
    convert -size 48x48 xc:none -fill 'rgba(255,0,0,0.5)' -draw 'circle 24,24 24,4' "$out/sprite.png"
    sox -D -n -r 44100 -c 2 -b 16 "$out/click.wav" synth 0.05 sine 440
    font=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
    churn=${CHURN_ROUNDS:-10000}
    every=$((churn / 20 > 0 ? churn / 20 : 1))
    for interp in lua5.1 luajit; do
        "$interp" bench/mem/churn.lua "$out/sprite.png" "$font" "$out/click.wav" "$churn" "$every" \
            >"$out/churn.$interp"
        echo "load-and-free loop under $interp, $churn rounds (image, made surface, kept text, font, sound played, music):"
        awk '$1 == "churn" { s = s sprintf(" %d:%d", $2, $3) }
             $1 == "churn_growth" { g = $2 } $1 == "churn_spread" { sp = $2 }
             END {
                 print "  resident KiB at round:" s
                 printf "  after the warm-up (first tenth): growth %d KiB, spread %d KiB -> %s\n", g, sp, (g <= 64 && sp <= 64 ? "flat" : "GROWS")
             }' "$out/churn.$interp"
    done
    "lua5.1" bench/mem/churn.lua "$out/sprite.png" "$font" "$out/click.wav" $((churn / 10)) \
        $((every / 10 > 0 ? every / 10 : 1)) leak >"$out/churn.leak"
    echo "control: the same loop under lua5.1 leaving each 64x64 made surface unfreed, $((churn / 10)) rounds:"
    awk '$1 == "churn_growth" { printf "  growth %d KiB after the warm-up (16 KiB a round expected)\n", $2 }' "$out/churn.leak"
fi
