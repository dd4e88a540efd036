// Character-cell console: start-up, cell writes and refresh.
#include "console.h"
#include "handlers.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "args.h"
#include "core.h"
#include "fastpath.h"

// Cell rectangles carry 16-bit positions: no window side may exceed this.
static const int64_t kMaxSide = 32767;

// Opens the window of a measured grid. An empty grid, or one wider or higher
// than the cell rectangles can address, never reaches the video driver (some
// drivers read 0 as "the desktop's size").
static SDL_Surface *open_grid_window(const ConsoleRecord &c)
{
    int64_t w = int64_t(c.cellWidth) * c.cols;
    int64_t h = int64_t(c.cellHeight) * c.rows;
    SDL_Surface *screen = nullptr;
    if (c.cols <= 0 || c.rows <= 0 || c.cellWidth <= 0 || c.cellHeight <= 0 || w > kMaxSide ||
        h > kMaxSide)
        SDL_SetError("Invalid width or height");
    else
        screen = SDL_SetVideoMode(int(w), int(h), 32, SDL_HWSURFACE | SDL_DOUBLEBUF);
    if (!screen)
        fatal("Couldn't set %lldx%lld video mode: %s\n", (long long)w, (long long)h,
              SDL_GetError());
    return screen;
}

// Allocates the cell arrays of a grid that has a window (so both sides are
// 1..32767 cells and the sizes fit) and clears them: spaces, black on white.
static void allocate_cells(ConsoleRecord &c)
{
    c.cellCount = c.rows * c.cols;
    size_t n = size_t(c.cellCount);
    c.chars = static_cast<uint8_t *>(malloc(n));
    c.fgColors = static_cast<uint8_t *>(malloc(4 * n));
    c.bgColors = static_cast<uint8_t *>(malloc(4 * n));
    if (!c.chars || !c.fgColors || !c.bgColors)
        fatal("Couldn't allocate memory for curses data.\n");
    memset(c.chars, ' ', n);
    memset(c.fgColors, 0x00, 4 * n);
    memset(c.bgColors, 0xFF, 4 * n);
}

// Builds the new console in a record of its own; only a console that has a
// font, a window and its cells becomes CC, in one assignment.
int l_curses_init(lua_State *L)
{
    // A second start-up replaces the first console: its memory goes first.
    console_release();

    ConsoleRecord c = {};
    c.cols = arg_int(L, 1);
    c.rows = arg_int(L, 2);
    const char *path = lua_tostring(L, 3);
    int32_t points = arg_int(L, 4);

    printf("zarn init (%dx%d), curses mode\n", c.cols, c.rows);

    start_sdl();
    start_ttf();
    open_mixer();

    c.font = TTF_OpenFont(path ? path : "", points);
    if (!c.font)
        fatal("Couldn't load font: %s\n", SDL_GetError());
    int advance = 0; // stays 0 if the font cannot measure '@'
    TTF_GlyphMetrics(c.font, '@', nullptr, nullptr, nullptr, nullptr, &advance);
    c.cellWidth = advance;
    c.cellHeight = TTF_FontLineSkip(c.font);

    gScreen = open_grid_window(c);
    allocate_cells(c);

    CC = c;
    curses_on = 1;

    push_int(L, CC.cellWidth);
    push_int(L, CC.cellHeight);
    return 2;
}

// Only printable ASCII other than the space is kept.
static inline uint8_t cell_char(const char *s)
{
    uint8_t c = static_cast<uint8_t>(s[0]);
    return c >= 0x21 && c <= 0x7E ? c : 0x20;
}

static inline bool in_grid(int32_t x, int32_t y)
{
    return x >= 0 && x < CC.cols && y >= 0 && y < CC.rows;
}

int l_curses_addch(lua_State *L)
{
    const char *s = lua_tostring(L, 1);
    int32_t x = arg_int(L, 2);
    int32_t y = arg_int(L, 3);
    if (!in_grid(x, y) || !s)
        return 0;
    CC.chars[int64_t(y) * CC.cols + x] = cell_char(s);
    return 0;
}

int l_curses_setcol(lua_State *L)
{
    int32_t x = arg_int(L, 1);
    int32_t y = arg_int(L, 2);
    int32_t ch[6]; // foreground r, g, b, then background r, g, b
    for (int k = 0; k < 6; k++)
        ch[k] = opt_channel(L, 3 + k); // may raise before anything is stored
    if (!in_grid(x, y))
        return 0;
    int64_t i = int64_t(y) * CC.cols + x;
    for (int k = 0; k < 6; k++) {
        if (ch[k] < 0)
            continue;
        uint8_t *entry = (k < 3 ? CC.fgColors : CC.bgColors) + 4 * i;
        entry[k % 3] = static_cast<uint8_t>(ch[k]);
    }
    return 0;
}

int l_curses_fill(lua_State *L)
{
    int32_t x = arg_int(L, 1);
    int32_t y = arg_int(L, 2);
    int32_t w = arg_int(L, 3);
    int32_t h = arg_int(L, 4);
    const char *s = lua_tostring(L, 5);
    int32_t ch[6];
    for (int k = 0; k < 6; k++)
        ch[k] = opt_channel(L, 6 + k);
    if (w <= 0 || h <= 0)
        return 0;

    // Clip to the grid first, in 64 bits: x + w may pass 2^31.
    int64_t x0 = x < 0 ? 0 : x, x1 = int64_t(x) + w;
    int64_t y0 = y < 0 ? 0 : y, y1 = int64_t(y) + h;
    if (x1 > CC.cols)
        x1 = CC.cols;
    if (y1 > CC.rows)
        y1 = CC.rows;

    bool fg = ch[0] >= 0 && ch[1] >= 0 && ch[2] >= 0;
    bool bg = ch[3] >= 0 && ch[4] >= 0 && ch[5] >= 0;
    uint8_t c = s ? cell_char(s) : 0;
    for (int64_t cx = x0; cx < x1; cx++) {
        for (int64_t cy = y0; cy < y1; cy++) {
            int64_t i = cy * CC.cols + cx;
            if (s)
                CC.chars[i] = c;
            for (int k = 0; k < 3; k++) {
                if (fg)
                    CC.fgColors[4 * i + k] = static_cast<uint8_t>(ch[k]);
                if (bg)
                    CC.bgColors[4 * i + k] = static_cast<uint8_t>(ch[3 + k]);
            }
        }
    }
    return 0;
}

// Paints every cell, column by column: its background over its rectangle,
// then a freshly rendered glyph in its foreground colour.
static void refresh_rendered()
{
    char text[2] = {0, 0};
    for (int32_t col = 0; col < CC.cols; col++) {
        for (int32_t row = 0; row < CC.rows; row++) {
            SDL_Rect r;
            r.x = static_cast<Sint16>(col * CC.cellWidth);
            r.y = static_cast<Sint16>(row * CC.cellHeight);
            r.w = static_cast<Uint16>(CC.cellWidth);
            r.h = static_cast<Uint16>(CC.cellHeight);
            int32_t i = row * CC.cols + col;
            text[0] = static_cast<char>(CC.chars[i]);
            SDL_Color fg;
            memcpy(&fg, CC.fgColors + 4 * i, 4);
            SDL_Surface *glyph = TTF_RenderText_Blended(CC.font, text, fg);
            const uint8_t *bg = CC.bgColors + 4 * i;
            fast_fill(gScreen, &r, SDL_MapRGB(gScreen->format, bg[0], bg[1], bg[2]));
            // The fill may have shrunk the rectangle to its clipped part.
            r.x = static_cast<Sint16>(col * CC.cellWidth);
            r.y = static_cast<Sint16>(row * CC.cellHeight);
            r.w = static_cast<Uint16>(CC.cellWidth);
            r.h = static_cast<Uint16>(CC.cellHeight);
            fast_blit(glyph, nullptr, gScreen, &r);
            SDL_FreeSurface(glyph);
        }
    }
}

bool console_glyph_cache = true;

// The glyph cache: per character byte, the coverage of its glyph in the
// console's font, cropped to one cell (see ConsoleTiles). A rendered glyph is
// its foreground colour in every pixel with the coverage as alpha, so one
// coverage serves every colour. Masks are made when a character is first
// shown and live until the console goes; at most 256 of them (and a blank
// one for characters the font cannot render), each cell-sized and no larger
// than kMaxMask bytes, so the cache never holds more than 257 * kMaxMask.
static const size_t kMaxMask = 256 * 1024;
static struct {
    TTF_Font *font; // the console's font; null: empty
    int cw, ch;
    bool unusable; // the font's glyphs are not colour plus coverage
    Uint32 *mask[256];
    Uint32 *blank;
} gGlyphs;

void console_cache_drop()
{
    for (Uint32 *&m : gGlyphs.mask) {
        free(m);
        m = nullptr;
    }
    free(gGlyphs.blank);
    gGlyphs.blank = nullptr;
    gGlyphs.font = nullptr;
    gGlyphs.unusable = false;
}

// Renders character c and keeps its coverage. False where the cache cannot
// stand in for rendering (no memory, or a glyph that is not one colour plus
// coverage); a glyph the font cannot render stays absent and is tried again
// on the next refresh.
static bool make_mask(uint8_t c)
{
    const char text[2] = {static_cast<char>(c), 0};
    SDL_Surface *g = TTF_RenderText_Blended(CC.font, text, SDL_Color{0, 0, 0, 0});
    if (!g)
        return true;
    const SDL_PixelFormat *f = g->format;
    bool ok = f->BytesPerPixel == 4 && f->Amask == 0xFF000000 && f->Rmask == 0xFF0000 &&
              f->Gmask == 0xFF00 && f->Bmask == 0xFF && !SDL_MUSTLOCK(g) && g->pixels &&
              (g->flags & SDL_SRCALPHA);
    const int cw = gGlyphs.cw, ch = gGlyphs.ch;
    Uint32 *m = ok ? static_cast<Uint32 *>(calloc(size_t(cw) * ch + 2, 4)) : nullptr;
    for (int y = 0; m && y < g->h; y++) {
        const Uint32 *p = reinterpret_cast<const Uint32 *>(static_cast<uint8_t *>(g->pixels) +
                                                           ptrdiff_t(y) * g->pitch);
        for (int x = 0; x < g->w; x++) {
            if (p[x] & 0xFFFFFF)
                ok = false;
            else if (x < cw && y < ch && p[x]) {
                const Uint32 a = p[x] >> 24 == 255 ? 256 : p[x] >> 24;
                m[2 + y * cw + x] = a | a << 16;
                m[0] = m[1] ? m[0] : Uint32(y); // the rows with coverage
                m[1] = Uint32(y + 1);
            }
        }
    }
    SDL_FreeSurface(g);
    if (!ok) {
        free(m);
        gGlyphs.unusable = true;
        return false;
    }
    gGlyphs.mask[c] = m;
    return m != nullptr;
}

// Paints the grid from the cache; false where it cannot, having drawn
// nothing.
static bool refresh_cached()
{
    if (!console_glyph_cache || !CC.font)
        return false;
    // The cache goes with its console (console_cache_drop); masks of another
    // cell size are never read, whatever happens.
    if (!gGlyphs.font || gGlyphs.cw != CC.cellWidth || gGlyphs.ch != CC.cellHeight) {
        console_cache_drop();
        gGlyphs.font = CC.font;
        gGlyphs.cw = CC.cellWidth;
        gGlyphs.ch = CC.cellHeight;
    }
    const size_t bytes = size_t(gGlyphs.cw) * size_t(gGlyphs.ch) * 4;
    if (gGlyphs.unusable || gGlyphs.cw <= 0 || gGlyphs.ch <= 0 || bytes > kMaxMask)
        return false;
    if (!gGlyphs.blank && !(gGlyphs.blank = static_cast<Uint32 *>(calloc(bytes + 8, 1))))
        return false;

    bool shown[256] = {};
    for (int32_t i = 0; i < CC.cellCount; i++)
        shown[CC.chars[i]] = true;
    const Uint32 *masks[256];
    for (int c = 0; c < 256; c++) {
        if (shown[c] && !gGlyphs.mask[c] && !make_mask(static_cast<uint8_t>(c)))
            return false;
        masks[c] = gGlyphs.mask[c] ? gGlyphs.mask[c] : gGlyphs.blank;
    }
    const ConsoleTiles tiles = {CC.cellWidth, CC.cellHeight, CC.cols,     CC.rows,
                                CC.chars,     CC.fgColors,   CC.bgColors, masks};
    return fast_console(gScreen, tiles);
}

int l_curses_refresh(lua_State *)
{
    if (CC.cols <= 0 || !drawable_screen())
        return 0;
    if (!refresh_cached())
        refresh_rendered();
    return 0;
}
