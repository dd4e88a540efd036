#include "harness.h"

#include <cstdlib>

// Headless drivers for every test unless the caller chose others: no window,
// and the mixed audio written to nowhere.
static const bool drivers_chosen = [] {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "disk", 0);
    setenv("SDL_DISKAUDIOFILE", "/dev/null", 0);
    setenv("SDL_DISKAUDIODELAY", "0", 0);
    return true;
}();

lua_State *open_state()
{
    lua_State *L = luaL_newstate();
    luaL_openlibs(L);
    lua_pushcfunction(L, luaopen_zedodava);
    lua_call(L, 0, 0);
    return L;
}

static int load(lua_State *L, const std::string &code)
{
    std::string chunk = "local Z = zedodava; " + code;
    return luaL_loadbuffer(L, chunk.data(), chunk.size(), "test");
}

int run(lua_State *L, const std::string &code)
{
    int base = lua_gettop(L);
    if (load(L, code) != 0 || lua_pcall(L, 0, LUA_MULTRET, 0) != 0) {
        ADD_FAILURE() << "Lua error: " << lua_tostring(L, -1) << "\nin: " << code;
        lua_pop(L, 1);
        return 0;
    }
    return lua_gettop(L) - base;
}

std::string run_error(lua_State *L, const std::string &code)
{
    if (load(L, code) != 0) {
        std::string msg = lua_tostring(L, -1);
        lua_pop(L, 1);
        return msg;
    }
    if (lua_pcall(L, 0, 0, 0) == 0) {
        ADD_FAILURE() << "expected a Lua error from: " << code;
        return "";
    }
    std::string msg = lua_tostring(L, -1);
    lua_pop(L, 1);
    return msg;
}

uint32_t pixel_rgb(SDL_Surface *s, int x, int y)
{
    SDL_LockSurface(s);
    Uint32 p = 0;
    memcpy(&p, static_cast<Uint8 *>(s->pixels) + y * s->pitch + x * 4, 4);
    SDL_UnlockSurface(s);
    Uint8 r, g, b;
    SDL_GetRGB(p, s->format, &r, &g, &b);
    return (uint32_t(r) << 16) | (uint32_t(g) << 8) | b;
}
