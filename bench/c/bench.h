/* Timing helpers shared by the plain-C baselines. Each workload runs a loop
 * of n operations five times and reports the median cost per operation in
 * nanoseconds of process CPU time, the same measure the Lua side uses. */
#ifndef BENCH_H
#define BENCH_H

#include <stdio.h>
#include <stdlib.h>
#include <time.h>

#include <SDL.h>

#define BENCH_REPS 5

static inline double bench_now(void) { return (double)clock() / CLOCKS_PER_SEC; }

static int bench_cmp(const void *a, const void *b)
{
    double x = *(const double *)a, y = *(const double *)b;
    return (x > y) - (x < y);
}

/* Runs fn(n, ctx) BENCH_REPS times and prints "name median_ns_per_op". */
static inline void bench_report(const char *name, long n, void (*fn)(long, void *), void *ctx)
{
    double t[BENCH_REPS];
    for (int r = 0; r < BENCH_REPS; r++) {
        double t0 = bench_now();
        fn(n, ctx);
        t[r] = (bench_now() - t0) * 1e9 / (double)n;
    }
    qsort(t, BENCH_REPS, sizeof t[0], bench_cmp);
    printf("%s %.1f\n", name, t[BENCH_REPS / 2]);
    fflush(stdout);
}

/* The same start-up as the module's init: 640x480, 32 bpp, double-buffered. */
static inline SDL_Surface *bench_screen(int w, int h)
{
    if (SDL_Init(SDL_INIT_VIDEO) < 0)
        exit(1);
    SDL_Surface *s = SDL_SetVideoMode(w, h, 32, SDL_HWSURFACE | SDL_DOUBLEBUF);
    if (!s)
        exit(1);
    return s;
}

/* A small deterministic generator, the same sequence as bench.lua's. */
static unsigned bench_seed = 12345;
static inline unsigned bench_rand(unsigned range)
{
    bench_seed = bench_seed * 1103515245u + 12345u;
    return ((bench_seed >> 16) & 0x7fff) % range;
}

#endif
