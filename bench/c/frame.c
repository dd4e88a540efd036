/* A whole frame of a typical game: drain the pending events, blit 200 alpha
 * sprites, draw 50 shapes (ten each of filled boxes, lines, anti-aliased
 * lines, filled circles and filled triangles), draw one line of text, flip
 * and read the clock, the calls input, blit, draw, drawTri, printFont, flip
 * and timer make. Reported per frame. Then how the frame grows: with 2,000
 * and 20,000 sprites; and, on a real X server (SDL_VIDEODRIVER=x11), the
 * frame alone at 640x480 and 1280x720, where flip sends the picture to the
 * server. */
#include <SDL_gfxPrimitives.h>
#include <SDL_ttf.h>

#include "bench.h"

#define NPOS 1024
#define TEXT "Score: 0123456789 ok"

static SDL_Surface *screen, *sprite;
static TTF_Font *font;
static int xs[NPOS], ys[NPOS];
static int k;
static int nsprites = 200;

/* The next position of the cycle the Lua and pygame sides walk too. */
static inline void next(Sint16 *x, Sint16 *y)
{
    k = (k + 1) & (NPOS - 1);
    *x = (Sint16)xs[k];
    *y = (Sint16)ys[k];
}

static void frame(long n, void *ctx)
{
    (void)ctx;
    volatile Uint32 last = 0;
    for (long f = 0; f < n; f++) {
        SDL_Event e;
        while (SDL_PollEvent(&e)) {
        }
        Sint16 x, y;
        for (int i = 0; i < nsprites; i++) {
            next(&x, &y);
            SDL_Rect r = {x, y, (Uint16)sprite->w, (Uint16)sprite->h};
            SDL_UpperBlit(sprite, NULL, screen, &r);
        }
        for (int i = 0; i < 10; i++) {
            next(&x, &y);
            boxRGBA(screen, x, y, x + 31, y + 31, 40, 60, 90, 255);
            next(&x, &y);
            lineRGBA(screen, x, y, x + 31, y + 20, 200, 100, 50, 255);
            next(&x, &y);
            aalineRGBA(screen, x, y, x + 31, y + 20, 200, 100, 50, 255);
            next(&x, &y);
            filledCircleRGBA(screen, x + 16, y + 16, 16, 255, 255, 0, 255);
            next(&x, &y);
            filledTrigonRGBA(screen, x, y, x + 31, y + 8, x + 10, y + 31, 0, 200, 100, 255);
        }
        SDL_Color c = {255, 200, 100, 0};
        SDL_Surface *text = TTF_RenderUTF8_Blended(font, TEXT, c);
        SDL_Rect dst = {10, 10, (Uint16)text->w, (Uint16)text->h};
        SDL_UpperBlit(text, NULL, screen, &dst);
        SDL_FreeSurface(text);
        SDL_Flip(screen);
        last = SDL_GetTicks();
    }
    (void)last;
}

int main(void)
{
    const char *driver = getenv("SDL_VIDEODRIVER");
    if (driver && strcmp(driver, "x11") == 0) {
        static const int sizes[][2] = {{640, 480}, {1280, 720}};
        for (int i = 0; i < 2; i++) {
            const int w = sizes[i][0], h = sizes[i][1];
            char name[64];
            snprintf(name, sizeof name, "frame_x11_%dx%d", w, h);
            screen = bench_screen(w, h);
            font = bench_font();
            bench_positions(xs, ys, NPOS, (unsigned)w - 32, (unsigned)h - 32);
            sprite = bench_sprite();
            bench_report(name, 300, frame, NULL);
            SDL_FreeSurface(sprite);
            TTF_CloseFont(font);
            TTF_Quit();
            SDL_Quit();
        }
        return 0;
    }
    screen = bench_screen(640, 480);
    font = bench_font();
    bench_positions(xs, ys, NPOS, 608, 448);
    sprite = bench_sprite();

    bench_report("frame_typical", 500, frame, NULL);
    nsprites = 2000;
    bench_report("frame_sprites_2000", 100, frame, NULL);
    nsprites = 20000;
    bench_report("frame_sprites_20000", 10, frame, NULL);
    SDL_FreeSurface(sprite);
    TTF_CloseFont(font);
    TTF_Quit();
    SDL_Quit();
    return 0;
}
