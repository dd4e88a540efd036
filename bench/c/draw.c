/* Drawing: pixel writes, fills, every shape style and an alpha-sprite blit,
 * each making the SDL and SDL_gfx calls that the module's handler makes. */
#include <string.h>

#include <SDL_gfxPrimitives.h>

#include "bench.h"

#define NPOS 1024

static SDL_Surface *screen, *sprite;
static int xs[NPOS], ys[NPOS];

/* The module's pixel store. */
static void store(SDL_Surface *s, Uint16 x, Uint16 y, Uint32 pixel)
{
    const Uint32 bpp = s->format->BytesPerPixel;
    Uint8 *p = (Uint8 *)s->pixels + ((Uint32)y * s->pitch + x * bpp);
    switch (bpp) {
    case 1:
        *p = (Uint8)pixel;
        break;
    case 2: {
        Uint16 v = (Uint16)pixel;
        memcpy(p, &v, 2);
        break;
    }
    case 3:
        p[0] = (Uint8)pixel;
        p[1] = (Uint8)(pixel >> 8);
        p[2] = (Uint8)(pixel >> 16);
        break;
    case 4:
        memcpy(p, &pixel, 4);
        break;
    }
}

static void putpix(long n, void *ctx)
{
    (void)ctx;
    for (long i = 0; i < n; i++) {
        int k = (int)(i & (NPOS - 1));
        SDL_LockSurface(screen);
        store(screen, (Uint16)xs[k], (Uint16)ys[k], SDL_MapRGBA(screen->format, 200, 100, 50, 255));
        SDL_UnlockSurface(screen);
    }
}

static void fill32(long n, void *ctx)
{
    (void)ctx;
    for (long i = 0; i < n; i++) {
        int k = (int)(i & (NPOS - 1));
        SDL_Rect r = {(Sint16)xs[k], (Sint16)ys[k], 32, 32};
        SDL_FillRect(screen, &r, SDL_MapRGBA(screen->format, 200, 100, 50, 255));
    }
}

static void fill_screen(long n, void *ctx)
{
    (void)ctx;
    for (long i = 0; i < n; i++)
        SDL_FillRect(screen, NULL, SDL_MapRGBA(screen->format, 0, 0, (Uint8)i, 255));
}

/* The shapes: 32 by 32 boxes, radius-16 circles, triangles in a 32 box. */
enum {
    LINE,
    AALINE,
    RECTANGLE,
    BOX,
    CIRCLE,
    AACIRCLE,
    FILLED_CIRCLE,
    TRIGON,
    AATRIGON,
    FILLED_TRIGON
};

static void shape(long n, void *ctx)
{
    int which = *(const int *)ctx;
    for (long i = 0; i < n; i++) {
        int k = (int)(i & (NPOS - 1));
        Sint16 x = (Sint16)xs[k], y = (Sint16)ys[k];
        switch (which) {
        case LINE:
            lineRGBA(screen, x, y, x + 31, y + 20, 200, 100, 50, 255);
            break;
        case AALINE:
            aalineRGBA(screen, x, y, x + 31, y + 20, 200, 100, 50, 255);
            break;
        case RECTANGLE:
            rectangleRGBA(screen, x, y, x + 31, y + 31, 200, 100, 50, 255);
            break;
        case BOX:
            boxRGBA(screen, x, y, x + 31, y + 31, 200, 100, 50, 255);
            break;
        case CIRCLE:
            circleRGBA(screen, x + 16, y + 16, 16, 200, 100, 50, 255);
            break;
        case AACIRCLE:
            aacircleRGBA(screen, x + 16, y + 16, 16, 200, 100, 50, 255);
            break;
        case FILLED_CIRCLE:
            filledCircleRGBA(screen, x + 16, y + 16, 16, 200, 100, 50, 255);
            break;
        case TRIGON:
            trigonRGBA(screen, x, y, x + 31, y + 8, x + 10, y + 31, 200, 100, 50, 255);
            break;
        case AATRIGON:
            aatrigonRGBA(screen, x, y, x + 31, y + 8, x + 10, y + 31, 200, 100, 50, 255);
            break;
        case FILLED_TRIGON:
            filledTrigonRGBA(screen, x, y, x + 31, y + 8, x + 10, y + 31, 200, 100, 50, 255);
            break;
        }
    }
}

static void blit32(long n, void *ctx)
{
    (void)ctx;
    for (long i = 0; i < n; i++) {
        int k = (int)(i & (NPOS - 1));
        SDL_Rect r = {(Sint16)xs[k], (Sint16)ys[k], (Uint16)sprite->w, (Uint16)sprite->h};
        SDL_UpperBlit(sprite, NULL, screen, &r);
    }
}

int main(void)
{
    screen = bench_screen(640, 480);
    bench_positions(xs, ys, NPOS, 608, 448);
    sprite = bench_sprite();

    bench_report("putpix", 1000000, putpix, NULL);
    bench_report("fill_32x32", 200000, fill32, NULL);
    bench_report("fill_screen", 2000, fill_screen, NULL);
    static const struct {
        const char *name;
        int which;
        long n;
    } shapes[] = {
        {"draw_line", LINE, 200000},
        {"draw_aaline", AALINE, 100000},
        {"draw_rectangle", RECTANGLE, 200000},
        {"draw_box", BOX, 100000},
        {"draw_circle", CIRCLE, 100000},
        {"draw_aacircle", AACIRCLE, 20000},
        {"draw_filled_circle", FILLED_CIRCLE, 100000},
        {"drawTri_trigon", TRIGON, 100000},
        {"drawTri_aatrigon", AATRIGON, 50000},
        {"drawTri_filled", FILLED_TRIGON, 50000},
    };
    for (size_t i = 0; i < sizeof shapes / sizeof shapes[0]; i++)
        bench_report(shapes[i].name, shapes[i].n, shape, (void *)&shapes[i].which);
    bench_report("blit_32x32_alpha", 200000, blit32, NULL);
    SDL_FreeSurface(sprite);
    SDL_Quit();
    return 0;
}
