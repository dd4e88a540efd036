// Text: TrueType fonts and rendered strings.
#include "text.h"
#include "handlers.h"

#include <cstdlib>
#include <cstring>

#include "args.h"
#include "core.h"
#include "fastpath.h"
#include "handles.h"
#include "surface.h"

// loadFont(path, size) -> font, fixed advance. The advance is that of the
// lower-case a on a fixed-width face and 0 on a proportional one.
int l_loadFont(lua_State *L)
{
    int advance = 0;
    const char *path = lua_tolstring(L, 1, nullptr);
    int32_t size = arg_int(L, 2);

    TTF_Font *font = path ? TTF_OpenFont(path, size) : nullptr;
    if (!font)
        fatal("Couldn't load font %s. Exiting.\n", path ? path : "(null)");

    if (TTF_FontFaceIsFixedWidth(font))
        TTF_GlyphMetrics(font, 0x61, nullptr, nullptr, nullptr, nullptr, &advance);

    register_handle(font, HANDLE_FONT);
    lua_pushlightuserdata(L, font);
    push_int(L, advance);
    return 2;
}

// The renderer decodes UTF-8 by the lead byte alone: a sequence cut short by
// the end of the string makes it read up to three bytes past the terminator.
// Returns whether that decoding would run past the end of s, n bytes long.
static bool utf8_overruns(const char *s, size_t n)
{
    size_t i = 0;
    while (i < n) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        i += c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    }
    return i > n;
}

// The text as the renderer may read it: itself, or a copy with zeros after a
// sequence cut short (well-formed text never needs one), left in *copy for
// the caller to free. Null when the copy cannot be had.
static const char *readable(const char *text, char **copy)
{
    const size_t n = strlen(text); // what the renderer itself will measure
    *copy = nullptr;
    if (!utf8_overruns(text, n))
        return text;
    *copy = static_cast<char *>(calloc(n + 4, 1));
    if (*copy)
        memcpy(*copy, text, n);
    return *copy;
}

static SDL_Surface *render(TTF_Font *font, const char *text, SDL_Color colour)
{
    char *copy;
    const char *t = readable(text, &copy);
    SDL_Surface *rendered = t ? TTF_RenderUTF8_Blended(font, t, colour) : nullptr;
    free(copy);
    return rendered;
}

bool text_size(TTF_Font *font, const char *text, int *w, int *h)
{
    char *copy;
    const char *t = readable(text, &copy);
    const bool ok = t && TTF_SizeUTF8(font, t, w, h) == 0;
    free(copy);
    return ok;
}

// printFont(font, text, r, g, b, x, y, target, keep). Draw mode blits the
// rendered text at x, y on the target (gScreen when nil) and returns nothing;
// keep mode returns it as a new surface handle with its width and height.
// Nothing to render (no font, no text, an empty string) or nothing to draw on
// gives no results in either mode.
int l_printFont(lua_State *L)
{
    TTF_Font *font = arg_handle<TTF_Font>(L, 1, HANDLE_FONT);
    const char *text = lua_tolstring(L, 2, nullptr);
    SDL_Color colour;
    colour.r = arg_u8(L, 3);
    colour.g = arg_u8(L, 4);
    colour.b = arg_u8(L, 5);
    colour.unused = 0;
    int16_t x = arg_i16(L, 6);
    int16_t y = arg_i16(L, 7);
    SDL_Surface *target = arg_target(L, 8);
    bool keep = arg_bool(L, 9);

    // Keep mode converts to the display's format: no display, no conversion
    // (the converter itself does not check that video was started).
    if (!font || !text || !text[0] || !(keep ? SDL_GetVideoSurface() : target))
        return 0;

    SDL_Surface *rendered = render(font, text, colour);
    if (!rendered)
        return 0;

    if (!keep) {
        SDL_Rect dst;
        dst.x = x;
        dst.y = y;
        dst.w = static_cast<Uint16>(rendered->w);
        dst.h = static_cast<Uint16>(rendered->h);
        fast_blit(rendered, nullptr, target, &dst);
        SDL_FreeSurface(rendered);
        return 0;
    }

    SDL_Surface *kept = to_display_alpha(rendered);
    return kept ? push_surface(L, kept) : 0;
}

int l_freeFont(lua_State *L) { return free_handle_arg(L, HANDLE_FONT); }
