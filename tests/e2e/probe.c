/* A test-only Lua module loaded beside zedodava: what a script cannot see,
 * read without asking the module (so that a fault in it cannot hide itself).
 * The library is the one a function of its table comes from (argument 1 of
 * shot, or package.loaded.zedodava.flip); its exported gScreen and CC are read.
 *   shot(z.flip, path) -- gScreen as a binary PPM (none in OpenGL mode), and gl_on
 *   pa(x, y [, s])     -- a pixel of s (gScreen by default) as 0xAARRGGBB; s's size
 *   cell(x, y)         -- a cell as "c RRGGBB RRGGBB" (character, foreground,
 *                         background); the fourth bytes of both
 *   console()          -- curses_on, CC's columns and cells, whether it has arrays
 *   locked(s)          -- whether s is locked; whether it has alpha
 *   mixer()            -- channels playing, music playing, music paused, music volume */
#ifndef _GNU_SOURCE
#define _GNU_SOURCE /* dladdr */
#endif
#include <dlfcn.h>
#include <stdint.h>
#include <stdio.h>

#include <SDL.h>
#include <SDL_mixer.h>
#include <lauxlib.h>
#include <lua.h>

int luaopen_zd_probe(lua_State *L);

/* The exported console record, as the module lays it out. */
struct console {
    void *font;
    int32_t cellWidth, cellHeight, cols, rows, cellCount;
    uint8_t *chars, *fgColors, *bgColors;
};

static void *library(lua_State *L, int idx)
{
    Dl_info info;
    lua_CFunction f;
    void *h;
    if (!idx) {
        lua_getglobal(L, "package");
        lua_getfield(L, -1, "loaded");
        lua_getfield(L, -1, "zedodava");
        lua_getfield(L, -1, "flip");
        f = lua_tocfunction(L, -1);
        lua_pop(L, 4);
    } else
        f = lua_tocfunction(L, idx);
    h = f && dladdr((void *)f, &info) ? dlopen(info.dli_fname, RTLD_NOW | RTLD_NOLOAD) : NULL;
    if (!h)
        luaL_error(L, "no zedodava module loaded");
    return h;
}

static void *symbol(lua_State *L, const char *name) { return dlsym(library(L, 0), name); }

static int p_shot(lua_State *L)
{
    void *h = library(L, 1);
    SDL_Surface **screen = (SDL_Surface **)dlsym(h, "gScreen"), *s;
    if (!screen || !*screen)
        return luaL_error(L, "no gScreen beside argument 1");
    lua_pushinteger(L, *(int *)dlsym(h, "gl_on"));
    if (!(s = *screen)->pixels || s->format->BytesPerPixel != 4)
        return 1;
    FILE *out = fopen(luaL_checkstring(L, 2), "wb");
    fprintf(out, "P6\n%d %d\n255\n", s->w, s->h);
    for (int y = 0; y < s->h; y++)
        for (int x = 0; x < s->w; x++) {
            Uint8 rgb[3];
            SDL_GetRGB(((Uint32 *)((Uint8 *)s->pixels + y * s->pitch))[x], s->format, &rgb[0],
                       &rgb[1], &rgb[2]);
            fwrite(rgb, 1, 3, out);
        }
    fclose(out);
    return 1;
}

static SDL_Surface *surface(lua_State *L, int idx)
{
    SDL_Surface *s = lua_isnoneornil(L, idx) ? *(SDL_Surface **)symbol(L, "gScreen")
                                             : (SDL_Surface *)lua_touserdata(L, idx);
    if (!s || !s->pixels || s->format->BytesPerPixel != 4)
        luaL_error(L, "no 32-bit surface to read");
    return s;
}

static int p_pa(lua_State *L)
{
    SDL_Surface *s = surface(L, 3);
    int x = (int)lua_tonumber(L, 1), y = (int)lua_tonumber(L, 2);
    Uint8 r, g, b, a;
    if (x < 0 || y < 0 || x >= s->w || y >= s->h)
        return luaL_error(L, "pixel %d,%d is outside %dx%d", x, y, s->w, s->h);
    SDL_GetRGBA(((Uint32 *)((Uint8 *)s->pixels + y * s->pitch))[x], s->format, &r, &g, &b, &a);
    lua_pushnumber(L, (double)((uint32_t)a << 24 | (uint32_t)r << 16 | (uint32_t)g << 8 | b));
    lua_pushnumber(L, s->w);
    lua_pushnumber(L, s->h);
    return 3;
}

static int numbers(lua_State *L, int n, const double *v)
{
    for (int i = 0; i < n; i++)
        lua_pushnumber(L, v[i]);
    return n;
}

static int p_cell(lua_State *L)
{
    const struct console *c = symbol(L, "CC");
    int x = (int)lua_tonumber(L, 1), y = (int)lua_tonumber(L, 2), i = y * c->cols + x;
    if (!c->chars || x < 0 || x >= c->cols || i < 0 || i >= c->cellCount)
        return luaL_error(L, "no cell %d,%d", x, y);
    const uint8_t *f = c->fgColors + 4 * i, *b = c->bgColors + 4 * i;
    char s[32];
    snprintf(s, sizeof s, "%c %02X%02X%02X %02X%02X%02X", c->chars[i], f[0], f[1], f[2], b[0], b[1],
             b[2]);
    lua_pushstring(L, s);
    double v[] = {f[3], b[3]};
    return numbers(L, 2, v) + 1;
}

static int p_console(lua_State *L)
{
    const struct console *c = symbol(L, "CC");
    double v[] = {*(int32_t *)symbol(L, "curses_on"), c->cols, c->cellCount, c->chars != NULL};
    return numbers(L, 4, v);
}

static int p_locked(lua_State *L)
{
    SDL_Surface *s = surface(L, 1);
    double v[] = {s->locked, s->format->Amask != 0};
    return numbers(L, 2, v);
}

static int p_mixer(lua_State *L)
{
    double v[] = {Mix_Playing(-1), Mix_PlayingMusic(), Mix_PausedMusic(), Mix_VolumeMusic(-1)};
    return numbers(L, 4, v);
}

int luaopen_zd_probe(lua_State *L)
{
    static const luaL_Reg fns[] = {{"shot", p_shot},     {"pa", p_pa},
                                   {"cell", p_cell},     {"console", p_console},
                                   {"locked", p_locked}, {"mixer", p_mixer}};
    lua_newtable(L);
    for (size_t i = 0; i < sizeof fns / sizeof *fns; i++) {
        lua_pushcfunction(L, fns[i].func);
        lua_setfield(L, -2, fns[i].name);
    }
    return 1;
}
