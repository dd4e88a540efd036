/* A test-only Lua module, loaded beside zedodava in the same process, that
 * lets an end-to-end script see what Lua cannot:
 *   probe.shot(z.flip, path) -- gScreen as a binary PPM (none in OpenGL mode), and gl_on
 * The function of the zedodava table tells the probe where the module was
 * loaded from; gScreen is looked up in that very copy. */
#ifndef _GNU_SOURCE
#define _GNU_SOURCE /* dladdr */
#endif
#include <dlfcn.h>
#include <stdio.h>

#include <SDL.h>
#include <lauxlib.h>
#include <lua.h>

int luaopen_zd_probe(lua_State *L);

static int p_shot(lua_State *L)
{
    Dl_info info;
    lua_CFunction f = lua_tocfunction(L, 1);
    void *h = f && dladdr((void *)f, &info) ? dlopen(info.dli_fname, RTLD_NOW | RTLD_NOLOAD) : NULL;
    SDL_Surface **screen = h ? (SDL_Surface **)dlsym(h, "gScreen") : NULL, *s;
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

int luaopen_zd_probe(lua_State *L)
{
    lua_newtable(L);
    lua_pushcfunction(L, p_shot);
    lua_setfield(L, -2, "shot");
    return 1;
}
