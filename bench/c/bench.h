/* Timing helpers shared by the plain-C baselines. Each workload runs a loop
 * of n operations several times and reports the median cost per operation in
 * nanoseconds of process CPU time, the same measure the Lua and pygame sides
 * use. BENCH_SCALE (default 1) multiplies every n, BENCH_REPS (default 5) sets
 * the repetitions: a tiny scale turns a run into a quick check that each
 * workload works. BENCH_ONLY=NAME runs that workload alone, and BENCH_SHOW_N=1
 * adds the iteration count to each line (for counting instructions).
 * BENCH_SERVER_PID adds that process's CPU time (the X server's) to every
 * measure. */
#include <string.h>
#ifndef BENCH_H
#define BENCH_H

#include <stdio.h>
#include <stdlib.h>
#include <time.h>

#include <SDL.h>
#include <SDL_ttf.h>

#define BENCH_MAX_REPS 99

/* The CPU time of the process BENCH_SERVER_PID names (the X server the
 * frames go to), in seconds, from its clock ticks; 0 without one. */
static inline double bench_server_time(void)
{
    const char *pid = getenv("BENCH_SERVER_PID");
    char path[64], buf[1024];
    if (!pid || !*pid)
        return 0;
    snprintf(path, sizeof path, "/proc/%s/stat", pid);
    FILE *f = fopen(path, "r");
    size_t n = f ? fread(buf, 1, sizeof buf - 1, f) : 0;
    if (f)
        fclose(f);
    buf[n] = 0;
    unsigned long utime = 0, stime = 0;
    const char *p = strrchr(buf, ')'); /* fields 14 and 15 follow the name */
    if (!p ||
        sscanf(p + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu", &utime, &stime) != 2)
        return 0;
    return (double)(utime + stime) / 100.0;
}

/* Process CPU time, and the X server's where BENCH_SERVER_PID names it. */
static inline double bench_now(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return (double)ts.tv_sec + (double)ts.tv_nsec * 1e-9 + bench_server_time();
}

static int bench_cmp(const void *a, const void *b)
{
    double x = *(const double *)a, y = *(const double *)b;
    return (x > y) - (x < y);
}

static inline double bench_env(const char *name, double dflt)
{
    const char *s = getenv(name);
    double v = s && *s ? atof(s) : dflt;
    return v > 0 ? v : dflt;
}

/* The iteration count for a workload whose full size is n. */
static inline long bench_n(long n)
{
    long scaled = (long)((double)n * bench_env("BENCH_SCALE", 1.0));
    return scaled < 1 ? 1 : scaled;
}

/* Runs fn(n, ctx) (n scaled) BENCH_REPS times and prints
 * "name median_ns_per_op". */
static inline void bench_report(const char *name, long n, void (*fn)(long, void *), void *ctx)
{
    const char *only = getenv("BENCH_ONLY");
    if (only && *only && strcmp(only, name) != 0)
        return;
    double t[BENCH_MAX_REPS];
    int reps = (int)bench_env("BENCH_REPS", 5);
    if (reps > BENCH_MAX_REPS)
        reps = BENCH_MAX_REPS;
    n = bench_n(n);
    for (int r = 0; r < reps; r++) {
        double t0 = bench_now();
        fn(n, ctx);
        t[r] = (bench_now() - t0) * 1e9 / (double)n;
    }
    qsort(t, (size_t)reps, sizeof t[0], bench_cmp);
    if (bench_env("BENCH_SHOW_N", 0) > 0)
        printf("%s %.1f %ld\n", name, t[reps / 2], n);
    else
        printf("%s %.1f\n", name, t[reps / 2]);
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

/* A small deterministic generator, the same sequence as bench.lua's and
 * bench.py's. */
static unsigned bench_seed = 12345;
static inline unsigned bench_rand(unsigned range)
{
    bench_seed = bench_seed * 1103515245u + 12345u;
    return ((bench_seed >> 16) & 0x7fff) % range;
}

/* n positions from the generator, x below w and y below h: the same as
 * bench.positions on the Lua side. */
static inline void bench_positions(int *xs, int *ys, int n, unsigned w, unsigned h)
{
    for (int i = 0; i < n; i++) {
        xs[i] = (int)bench_rand(w);
        ys[i] = (int)bench_rand(h);
    }
}

/* A half-transparent red 32x32 sprite, made the way makeSurf and fill make
 * one. */
static inline SDL_Surface *bench_sprite(void)
{
    SDL_Surface *made =
        SDL_CreateRGBSurface(SDL_SRCALPHA | SDL_HWSURFACE, 32, 32, 32, 0, 0, 0, 0xFF);
    SDL_Surface *sprite = SDL_DisplayFormatAlpha(made);
    SDL_FreeSurface(made);
    SDL_FillRect(sprite, NULL, SDL_MapRGBA(sprite->format, 255, 0, 0, 128));
    return sprite;
}

/* The font of the text workloads: DejaVu Sans at 16 points. */
static inline TTF_Font *bench_font(void)
{
    TTF_Font *font = NULL;
    if (TTF_Init() < 0 ||
        !(font = TTF_OpenFont("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 16)))
        exit(1);
    return font;
}

#endif
