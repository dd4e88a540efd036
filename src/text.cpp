// Text: TrueType fonts and rendered strings.
#include "args.h"
#include "zedodava.h"

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

    lua_pushlightuserdata(L, font);
    push_int(L, advance);
    return 2;
}

// printFont(font, text, r, g, b, x, y, target, keep). Draw mode blits the
// rendered text at x, y on the target (gScreen when nil) and returns nothing;
// keep mode returns it as a new surface handle with its width and height.
// Nothing to render (no font, no text, an empty string) or nothing to draw on
// gives no results in either mode.
int l_printFont(lua_State *L)
{
    TTF_Font *font = static_cast<TTF_Font *>(lua_touserdata(L, 1));
    const char *text = lua_tolstring(L, 2, nullptr);
    SDL_Color colour;
    colour.r = arg_u8(L, 3);
    colour.g = arg_u8(L, 4);
    colour.b = arg_u8(L, 5);
    colour.unused = 0;
    int16_t x = arg_i16(L, 6);
    int16_t y = arg_i16(L, 7);
    SDL_Surface *target = static_cast<SDL_Surface *>(lua_touserdata(L, 8));
    bool keep = arg_bool(L, 9);
    if (!target)
        target = gScreen;

    // Keep mode converts to the display's format: no display, no conversion
    // (the converter itself does not check that video was started).
    if (!font || !text || !text[0] || !(keep ? SDL_GetVideoSurface() : target))
        return 0;

    SDL_Surface *rendered = TTF_RenderUTF8_Blended(font, text, colour);
    if (!rendered)
        return 0;

    if (!keep) {
        SDL_Rect dst;
        dst.x = x;
        dst.y = y;
        dst.w = static_cast<Uint16>(rendered->w);
        dst.h = static_cast<Uint16>(rendered->h);
        SDL_UpperBlit(rendered, nullptr, target, &dst);
        SDL_FreeSurface(rendered);
        return 0;
    }

    SDL_Surface *kept = SDL_DisplayFormatAlpha(rendered);
    SDL_FreeSurface(rendered);
    if (!kept)
        return 0;
    lua_pushlightuserdata(L, kept);
    push_int(L, kept->w);
    push_int(L, kept->h);
    return 3;
}

// freeFont(font). A font outlives nothing of the font library: once quit has
// shut the library down, its faces are gone with it and only the handle is
// left, so there is nothing more to close.
int l_freeFont(lua_State *L)
{
    TTF_Font *font = static_cast<TTF_Font *>(lua_touserdata(L, 1));
    if (font && TTF_WasInit())
        TTF_CloseFont(font);
    return 0;
}
