/* A full-window clear and flip at three window sizes, the part of every
 * frame that grows with the window alone. Under SDL_VIDEODRIVER=x11 the
 * rows are named clear_flip_x11_*: flip then sends the picture to the X
 * server. */
#include "bench.h"

static SDL_Surface *screen;

static void clear_flip(long n, void *ctx)
{
    (void)ctx;
    for (long i = 0; i < n; i++) {
        SDL_FillRect(screen, NULL, SDL_MapRGB(screen->format, 20, 30, (Uint8)i));
        SDL_Flip(screen);
    }
}

int main(void)
{
    const char *driver = getenv("SDL_VIDEODRIVER");
    const char *x11 = driver && strcmp(driver, "x11") == 0 ? "x11_" : "";
    static const int sizes[][2] = {{640, 480}, {1280, 720}, {1920, 1080}};
    for (int i = 0; i < 3; i++) {
        char name[64];
        snprintf(name, sizeof name, "clear_flip_%s%dx%d", x11, sizes[i][0], sizes[i][1]);
        screen = bench_screen(sizes[i][0], sizes[i][1]);
        bench_report(name, 4000000L / (sizes[i][0] * sizes[i][1] / 100), clear_flip, NULL);
        SDL_Quit();
    }
    return 0;
}
