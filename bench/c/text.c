/* Text: a 20-character string rendered and blitted onto the screen (draw
 * mode) and rendered into a kept surface that is then freed (keep mode),
 * making the SDL and SDL_ttf calls that printFont and freeSurf make. */
#include <SDL_ttf.h>

#include "bench.h"

#define NPOS 1024
#define TEXT "Score: 0123456789 ok"

static SDL_Surface *screen;
static TTF_Font *font;
static int xs[NPOS], ys[NPOS];

static void draw(long n, void *ctx)
{
    (void)ctx;
    SDL_Color c = {255, 200, 100, 0};
    for (long i = 0; i < n; i++) {
        int k = (int)(i & (NPOS - 1));
        SDL_Surface *text = TTF_RenderUTF8_Blended(font, TEXT, c);
        SDL_Rect dst = {(Sint16)xs[k], (Sint16)ys[k], (Uint16)text->w, (Uint16)text->h};
        SDL_UpperBlit(text, NULL, screen, &dst);
        SDL_FreeSurface(text);
    }
}

static void keep(long n, void *ctx)
{
    (void)ctx;
    SDL_Color c = {255, 200, 100, 0};
    for (long i = 0; i < n; i++) {
        SDL_Surface *text = TTF_RenderUTF8_Blended(font, TEXT, c);
        SDL_Surface *kept = SDL_DisplayFormatAlpha(text);
        SDL_FreeSurface(text);
        SDL_FreeSurface(kept); /* the script's freeSurf */
    }
}

int main(void)
{
    screen = bench_screen(640, 480);
    font = bench_font();
    bench_positions(xs, ys, NPOS, 480, 460);
    bench_report("printFont_draw_20ch", 5000, draw, NULL);
    bench_report("printFont_keep_20ch", 5000, keep, NULL);
    TTF_CloseFont(font);
    TTF_Quit();
    SDL_Quit();
    return 0;
}
