// Surfaces and drawing: surface handles, fills, pixel writes and shapes.
#include "surface.h"
#include "handlers.h"

#include <cstring>

#include <SDL_gfxPrimitives.h>
#include <SDL_image.h>

#include "args.h"
#include "core.h"
#include "fastpath.h"
#include "handles.h"

// The store behind putpixel, inlined into putpix (the exported name is
// reached through the PLT).
static inline void store_pixel(SDL_Surface *surface, Uint16 x, Uint16 y, Uint32 pixel)
{
    const uint32_t bpp = surface->format->BytesPerPixel;
    Uint8 *p = static_cast<Uint8 *>(surface->pixels) + (uint32_t(y) * surface->pitch + x * bpp);
    switch (bpp) {
    case 1:
        *p = static_cast<Uint8>(pixel);
        break;
    case 2: {
        const Uint16 v = static_cast<Uint16>(pixel);
        memcpy(p, &v, 2);
        break;
    }
    case 3: // least significant byte first, whatever the machine's order
        p[0] = static_cast<Uint8>(pixel);
        p[1] = static_cast<Uint8>(pixel >> 8);
        p[2] = static_cast<Uint8>(pixel >> 16);
        break;
    case 4:
        memcpy(p, &pixel, 4);
        break;
    }
}

Uint32 load_pixel(const SDL_Surface *surface, int x, int y)
{
    const uint32_t bpp = surface->format->BytesPerPixel;
    const Uint8 *p =
        static_cast<const Uint8 *>(surface->pixels) + (uint32_t(y) * surface->pitch + x * bpp);
    switch (bpp) {
    case 1:
        return *p;
    case 2: {
        Uint16 v;
        memcpy(&v, p, 2);
        return v;
    }
    case 3:
        return Uint32(p[0]) | Uint32(p[1]) << 8 | Uint32(p[2]) << 16;
    default: {
        Uint32 v;
        memcpy(&v, p, 4);
        return v;
    }
    }
}

void putpixel(SDL_Surface *surface, Uint16 x, Uint16 y, Uint32 pixel)
{
    store_pixel(surface, x, y, pixel);
}

// SDL_DisplayFormatAlpha reads the display's format without testing that
// there is a display, so that is tested here.
SDL_Surface *to_display_alpha(SDL_Surface *first)
{
    SDL_Surface *s = SDL_GetVideoSurface() ? fast_display_alpha(first) : nullptr;
    SDL_FreeSurface(first);
    return s;
}

int push_surface(lua_State *L, SDL_Surface *s)
{
    register_handle(s, HANDLE_SURFACE);
    lua_pushlightuserdata(L, s);
    push_int(L, s->w);
    push_int(L, s->h);
    return 3;
}

int l_loadImage(lua_State *L)
{
    const char *path = lua_tolstring(L, 1, nullptr);
    if (!path) // IMG_Load would take the null name apart
        fatal("Couldn't load image %s. Exiting.\n", "(null)");
    SDL_Surface *loaded = IMG_Load(path);
    if (!loaded)
        fatal("Couldn't load image %s. Exiting.\n", path);
    SDL_Surface *s = to_display_alpha(loaded);
    if (!s)
        fatal("Couldn't load image %s. Exiting.\n", path);
    return push_surface(L, s);
}

int l_makeSurf(lua_State *L)
{
    const int32_t w = arg_int(L, 1);
    const int32_t h = arg_int(L, 2);
    // SDL refuses widths of 16384 and up itself, but not negative sizes.
    SDL_Surface *made = nullptr;
    if (w >= 0 && h >= 0)
        made = SDL_CreateRGBSurface(SDL_SRCALPHA | SDL_HWSURFACE, w, h, 32, 0, 0, 0, 0xFF);
    if (!made)
        fatal("Couldn't create surface. Exiting.\n");
    SDL_Surface *s = to_display_alpha(made);
    if (!s)
        fatal("Couldn't create surface. Exiting.\n");
    return push_surface(L, s);
}

int l_blit(lua_State *L)
{
    SDL_Surface *src = arg_handle<SDL_Surface>(L, 1, HANDLE_SURFACE);
    SDL_Rect dst;
    dst.x = arg_i16(L, 2);
    dst.y = arg_i16(L, 3);
    SDL_Surface *target = arg_target(L, 4);
    if (!src || !target)
        return 0;
    dst.w = static_cast<Uint16>(src->w);
    dst.h = static_cast<Uint16>(src->h);
    fast_blit(src, nullptr, target, &dst);
    return 0;
}

int l_freeSurf(lua_State *L) { return free_handle_arg(L, HANDLE_SURFACE); }

int l_fill(lua_State *L)
{
    SDL_Rect rect;
    rect.x = arg_i16(L, 1);
    rect.y = arg_i16(L, 2);
    rect.w = static_cast<Uint16>(arg_int(L, 3));
    rect.h = static_cast<Uint16>(arg_int(L, 4));
    const Uint8 r = arg_u8(L, 5);
    const Uint8 g = arg_u8(L, 6);
    const Uint8 b = arg_u8(L, 7);
    const Uint8 a = arg_u8(L, 8);
    SDL_Surface *target = arg_target(L, 9);
    if (!target)
        return 0;
    // A zero width or height means the whole target.
    fast_fill(target, rect.w && rect.h ? &rect : nullptr, SDL_MapRGBA(target->format, r, g, b, a));
    return 0;
}

int l_putpix(lua_State *L)
{
    const Uint16 x = static_cast<Uint16>(arg_int(L, 1));
    const Uint16 y = static_cast<Uint16>(arg_int(L, 2));
    const Uint8 r = arg_u8(L, 3);
    const Uint8 g = arg_u8(L, 4);
    const Uint8 b = arg_u8(L, 5);
    const Uint8 a = arg_u8(L, 6);
    SDL_Surface *target = arg_target(L, 7);
    // Positions outside the target (negative ones wrap to large ones) are
    // dropped rather than written past the pixel buffer.
    if (!target || x >= target->w || y >= target->h)
        return 0;
    if (SDL_LockSurface(target) < 0)
        return 0;
    store_pixel(target, x, y, SDL_MapRGBA(target->format, r, g, b, a));
    SDL_UnlockSurface(target);
    return 0;
}

// Shape codes of draw.
enum { KIND_LINE = 0, KIND_RECT = 1, KIND_CIRCLE = 2 };
enum { STYLE_OUTLINE = 0, STYLE_AA = 1, STYLE_FILLED = 2 };

int l_draw(lua_State *L)
{
    const Sint16 x1 = arg_i16(L, 1);
    const Sint16 y1 = arg_i16(L, 2);
    const Sint16 x2 = arg_i16(L, 3); // the radius of a circle
    const Sint16 y2 = arg_i16(L, 4); // unused by circles
    const Uint8 r = arg_u8(L, 5);
    const Uint8 g = arg_u8(L, 6);
    const Uint8 b = arg_u8(L, 7);
    const Uint8 a = arg_u8(L, 8);
    const int32_t kind = arg_int(L, 9);
    const int32_t style = arg_int(L, 10);
    SDL_Surface *t = arg_target(L, 11);
    if (!t)
        return 0;
    switch (kind) {
    case KIND_LINE:
        if (style == STYLE_OUTLINE)
            lineRGBA(t, x1, y1, x2, y2, r, g, b, a);
        else if (style == STYLE_AA)
            aalineRGBA(t, x1, y1, x2, y2, r, g, b, a);
        break;
    case KIND_RECT: // there is no anti-aliased rectangle
        if (style == STYLE_OUTLINE)
            rectangleRGBA(t, x1, y1, x2, y2, r, g, b, a);
        else if (style == STYLE_FILLED)
            boxRGBA(t, x1, y1, x2, y2, r, g, b, a);
        break;
    case KIND_CIRCLE:
        if (style == STYLE_OUTLINE)
            circleRGBA(t, x1, y1, x2, r, g, b, a);
        else if (style == STYLE_AA)
            aacircleRGBA(t, x1, y1, x2, r, g, b, a);
        else if (style == STYLE_FILLED)
            filledCircleRGBA(t, x1, y1, x2, r, g, b, a);
        break;
    }
    return 0;
}

int l_drawTri(lua_State *L)
{
    const Sint16 x1 = arg_i16(L, 1);
    const Sint16 y1 = arg_i16(L, 2);
    const Sint16 x2 = arg_i16(L, 3);
    const Sint16 y2 = arg_i16(L, 4);
    const Sint16 x3 = arg_i16(L, 5);
    const Sint16 y3 = arg_i16(L, 6);
    const Uint8 r = arg_u8(L, 7);
    const Uint8 g = arg_u8(L, 8);
    const Uint8 b = arg_u8(L, 9);
    const Uint8 a = arg_u8(L, 10);
    const int32_t style = arg_int(L, 11);
    SDL_Surface *t = arg_target(L, 12);
    if (!t)
        return 0;
    switch (style) {
    case STYLE_OUTLINE:
        trigonRGBA(t, x1, y1, x2, y2, x3, y3, r, g, b, a);
        break;
    case STYLE_AA:
        aatrigonRGBA(t, x1, y1, x2, y2, x3, y3, r, g, b, a);
        break;
    case STYLE_FILLED:
        filledTrigonRGBA(t, x1, y1, x2, y2, x3, y3, r, g, b, a);
        break;
    }
    return 0;
}
