/* A full console refresh: per cell one glyph render, one colour mapping,
 * one fill, one blit and one release, columns outermost. */
#include <string.h>

#include <SDL_ttf.h>

#include "bench.h"

#define MONO "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf"

struct grid {
    TTF_Font *font;
    SDL_Surface *screen;
    int cw, ch, cols, rows;
    Uint8 *chars, *fg, *bg;
};

/* Opens a window of cols x rows cells and fills the cells with the same
 * pseudo-random characters and colours as the Lua workload. */
static void grid_open(struct grid *g, int cols, int rows)
{
    g->cols = cols;
    g->rows = rows;
    TTF_GlyphMetrics(g->font, '@', NULL, NULL, NULL, NULL, &g->cw);
    g->ch = TTF_FontLineSkip(g->font);
    g->screen = SDL_SetVideoMode(g->cw * cols, g->ch * rows, 32, SDL_HWSURFACE | SDL_DOUBLEBUF);
    if (!g->screen)
        exit(1);
    int n = cols * rows;
    g->chars = malloc(n);
    g->fg = malloc(4 * n);
    g->bg = malloc(4 * n);
    memset(g->fg, 0x00, 4 * n);
    memset(g->bg, 0xFF, 4 * n);
    for (int y = 0; y < rows; y++) {
        for (int x = 0; x < cols; x++) {
            int i = y * cols + x;
            g->chars[i] = (Uint8)(33 + bench_rand(94));
            for (int k = 0; k < 3; k++)
                g->fg[4 * i + k] = (Uint8)bench_rand(256);
            for (int k = 0; k < 3; k++)
                g->bg[4 * i + k] = (Uint8)bench_rand(256);
        }
    }
}

static void grid_close(struct grid *g)
{
    free(g->chars);
    free(g->fg);
    free(g->bg);
}

static void refresh(long n, void *ctx)
{
    struct grid *g = ctx;
    char text[2] = {0, 0};
    for (long r = 0; r < n; r++) {
        for (int col = 0; col < g->cols; col++) {
            for (int row = 0; row < g->rows; row++) {
                SDL_Rect rect = {(Sint16)(col * g->cw), (Sint16)(row * g->ch), (Uint16)g->cw,
                                 (Uint16)g->ch};
                int i = row * g->cols + col;
                text[0] = (char)g->chars[i];
                SDL_Color fg;
                memcpy(&fg, g->fg + 4 * i, 4);
                SDL_Surface *glyph = TTF_RenderText_Blended(g->font, text, fg);
                const Uint8 *bg = g->bg + 4 * i;
                SDL_FillRect(g->screen, &rect, SDL_MapRGB(g->screen->format, bg[0], bg[1], bg[2]));
                rect = (SDL_Rect){(Sint16)(col * g->cw), (Sint16)(row * g->ch), (Uint16)g->cw,
                                  (Uint16)g->ch};
                SDL_UpperBlit(glyph, NULL, g->screen, &rect);
                SDL_FreeSurface(glyph);
            }
        }
    }
}

int main(void)
{
    if (SDL_Init(SDL_INIT_VIDEO) < 0 || TTF_Init() < 0)
        exit(1);
    struct grid g;
    g.font = TTF_OpenFont(MONO, 16);
    if (!g.font)
        exit(1);
    grid_open(&g, 80, 25);
    bench_report("console_refresh_80x25", 50, refresh, &g);
    grid_close(&g);
    grid_open(&g, 160, 50);
    bench_report("console_refresh_160x50", 12, refresh, &g);
    grid_close(&g);
    grid_open(&g, 240, 67);
    bench_report("console_refresh_240x67", 5, refresh, &g);
    grid_close(&g);
    TTF_CloseFont(g.font);
    TTF_Quit();
    SDL_Quit();
    return 0;
}
