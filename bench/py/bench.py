"""Timing helpers shared by the pygame workloads: the same measure (process
CPU time), repetitions, scaling and pseudo-random sequence as the plain-C side
(c/bench.h) and the Lua side (lua/bench.lua), with the same BENCH_SCALE,
BENCH_REPS, BENCH_ONLY, BENCH_SHOW_N and BENCH_SERVER_PID settings."""
import os
import sys
import time

os.environ.setdefault("SDL_VIDEODRIVER", "dummy")
os.environ["PYGAME_HIDE_SUPPORT_PROMPT"] = "1"

import pygame  # noqa: E402


def _env(name, default):
    try:
        v = float(os.environ.get(name, ""))
    except ValueError:
        return default
    return v if v > 0 else default


SCALE = _env("BENCH_SCALE", 1)
REPS = int(_env("BENCH_REPS", 5))
ONLY = os.environ.get("BENCH_ONLY", "")
SHOW_N = _env("BENCH_SHOW_N", 0) > 0


def n(count):
    """The iteration count for a workload whose full size is count."""
    return max(1, int(count * SCALE))


SERVER = os.environ.get("BENCH_SERVER_PID", "")


def now():
    """Process CPU time, and the X server's where BENCH_SERVER_PID names it,
    as on the C side."""
    if not SERVER:
        return time.process_time()
    try:
        with open("/proc/%s/stat" % SERVER) as f:
            fields = f.read().rsplit(")", 1)[1].split()
        server = (int(fields[11]) + int(fields[12])) / 100.0
    except (OSError, IndexError, ValueError):
        server = 0.0
    return time.process_time() + server


def report(name, count, fn):
    """Runs fn(count) (count scaled) REPS times and prints
    "name median_ns_per_op"."""
    if ONLY and ONLY != name:
        return
    count = n(count)
    t = []
    for _ in range(REPS):
        t0 = now()
        fn(count)
        t.append((now() - t0) * 1e9 / count)
    t.sort()
    if SHOW_N:
        sys.stdout.write("%s %.1f %d\n" % (name, t[REPS // 2], count))
    else:
        sys.stdout.write("%s %.1f\n" % (name, t[REPS // 2]))
    sys.stdout.flush()


_seed = 12345


def rand(range_):
    """The C generator's sequence exactly."""
    global _seed
    _seed = (_seed * 1103515245 + 12345) & 0xFFFFFFFF
    return ((_seed >> 16) & 0x7FFF) % range_


def screen(w=640, h=480):
    """The display as a pygame game opens it: 32 bpp, software surface (the
    dummy driver has no other). Only video and fonts are started, like the
    plain-C side; pygame.init() would also try to open an audio device."""
    pygame.display.init()
    pygame.font.init()
    return pygame.display.set_mode((w, h), 0, 32)
