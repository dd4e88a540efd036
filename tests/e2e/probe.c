/* A test-only Lua module, loaded beside zedodava in the same process, that
 * lets an end-to-end script see what Lua cannot: the pixels of the display
 * surface gScreen, the X window SDL draws into, and OpenGL's clear.
 *
 *   local probe = require "zd_probe"
 *   probe.shot(z.flip, path)  -- gScreen as a binary PPM; returns w, h
 *   probe.pixel(z.flip, x, y) -- r, g, b of one pixel of gScreen
 *   probe.window()            -- X ids of SDL's drawing window and its frame
 *   probe.gl_clear(r, g, b)   -- clears the OpenGL back buffer (0..1 each)
 *
 * Any function of the zedodava table tells the probe where the module was
 * loaded from; gScreen is then looked up in that very copy. */
#ifndef _GNU_SOURCE
#define _GNU_SOURCE /* dladdr */
#endif
#include <dlfcn.h>
#include <stdio.h>

#include <SDL.h>
#include <SDL_syswm.h>
#include <lauxlib.h>
#include <lua.h>

int luaopen_zd_probe(lua_State *L);

/* The module's gScreen, found from one of its functions. */
static SDL_Surface *module_screen(lua_State *L)
{
    lua_CFunction f = lua_tocfunction(L, 1);
    Dl_info info;
    if (!f || !dladdr((void *)f, &info) || !info.dli_fname)
        luaL_error(L, "argument 1 must be a function of the zedodava module");
    void *h = dlopen(info.dli_fname, RTLD_NOW | RTLD_NOLOAD);
    if (!h)
        luaL_error(L, "%s is not loaded", info.dli_fname);
    SDL_Surface **screen = (SDL_Surface **)dlsym(h, "gScreen");
    dlclose(h);
    if (!screen)
        luaL_error(L, "%s has no gScreen", info.dli_fname);
    if (!*screen)
        luaL_error(L, "gScreen is null");
    return *screen;
}

static void read_rgb(SDL_Surface *s, int x, int y, Uint8 *r, Uint8 *g, Uint8 *b)
{
    const Uint8 *p = (const Uint8 *)s->pixels + y * s->pitch + x * s->format->BytesPerPixel;
    Uint32 v = 0;
    switch (s->format->BytesPerPixel) {
    case 1:
        v = *p;
        break;
    case 2:
        v = *(const Uint16 *)p;
        break;
    case 3:
        v = p[0] | p[1] << 8 | p[2] << 16;
        break;
    default:
        v = *(const Uint32 *)p;
        break;
    }
    SDL_GetRGB(v, s->format, r, g, b);
}

static int p_shot(lua_State *L)
{
    SDL_Surface *s = module_screen(L);
    const char *path = luaL_checkstring(L, 2);
    FILE *f = fopen(path, "wb");
    if (!f)
        return luaL_error(L, "cannot write %s", path);
    if (SDL_MUSTLOCK(s))
        SDL_LockSurface(s);
    fprintf(f, "P6\n%d %d\n255\n", s->w, s->h);
    for (int y = 0; y < s->h; y++) {
        for (int x = 0; x < s->w; x++) {
            Uint8 rgb[3];
            read_rgb(s, x, y, &rgb[0], &rgb[1], &rgb[2]);
            fwrite(rgb, 1, 3, f);
        }
    }
    if (SDL_MUSTLOCK(s))
        SDL_UnlockSurface(s);
    fclose(f);
    lua_pushnumber(L, s->w);
    lua_pushnumber(L, s->h);
    return 2;
}

static int p_pixel(lua_State *L)
{
    SDL_Surface *s = module_screen(L);
    int x = (int)luaL_checknumber(L, 2), y = (int)luaL_checknumber(L, 3);
    if (x < 0 || y < 0 || x >= s->w || y >= s->h)
        return luaL_error(L, "pixel %d,%d is outside the screen", x, y);
    Uint8 r, g, b;
    if (SDL_MUSTLOCK(s))
        SDL_LockSurface(s);
    read_rgb(s, x, y, &r, &g, &b);
    if (SDL_MUSTLOCK(s))
        SDL_UnlockSurface(s);
    lua_pushnumber(L, r);
    lua_pushnumber(L, g);
    lua_pushnumber(L, b);
    return 3;
}

static int p_window(lua_State *L)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWMInfo(&info) != 1)
        return luaL_error(L, "no window: %s", SDL_GetError());
    lua_pushnumber(L, (lua_Number)info.info.x11.window);
    lua_pushnumber(L, (lua_Number)info.info.x11.wmwindow);
    return 2;
}

static int p_gl_clear(lua_State *L)
{
    typedef void (*clear_color_fn)(float, float, float, float);
    typedef void (*clear_fn)(unsigned);
    clear_color_fn clear_color = (clear_color_fn)SDL_GL_GetProcAddress("glClearColor");
    clear_fn clear = (clear_fn)SDL_GL_GetProcAddress("glClear");
    if (!clear_color || !clear)
        return luaL_error(L, "no OpenGL functions: %s", SDL_GetError());
    clear_color((float)luaL_checknumber(L, 1), (float)luaL_checknumber(L, 2),
                (float)luaL_checknumber(L, 3), 1.0f);
    clear(0x4000); /* GL_COLOR_BUFFER_BIT */
    return 0;
}

int luaopen_zd_probe(lua_State *L)
{
    static const luaL_Reg fns[] = {{"shot", p_shot},
                                   {"pixel", p_pixel},
                                   {"window", p_window},
                                   {"gl_clear", p_gl_clear},
                                   {NULL, NULL}};
    lua_newtable(L);
    for (const luaL_Reg *r = fns; r->name; r++) {
        lua_pushcfunction(L, r->func);
        lua_setfield(L, -2, r->name);
    }
    return 1;
}
