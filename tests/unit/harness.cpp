#include "harness.h"

#include <cstdlib>
#include <cstring>

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

uint32_t pixel_argb(SDL_Surface *s, int x, int y)
{
    SDL_LockSurface(s);
    Uint32 p = 0;
    memcpy(&p, static_cast<Uint8 *>(s->pixels) + y * s->pitch + x * 4, 4);
    SDL_UnlockSurface(s);
    Uint8 r, g, b, a;
    SDL_GetRGBA(p, s->format, &r, &g, &b, &a);
    return (uint32_t(a) << 24) | (uint32_t(r) << 16) | (uint32_t(g) << 8) | b;
}

uint32_t pixel_rgb(SDL_Surface *s, int x, int y) { return pixel_argb(s, x, y) & 0xFFFFFF; }

int count_rgb(SDL_Surface *s, uint32_t rgb)
{
    int n = 0;
    for (int y = 0; y < s->h; y++)
        for (int x = 0; x < s->w; x++)
            n += pixel_rgb(s, x, y) == rgb;
    return n;
}

SDL_Surface *copy_surface(SDL_Surface *s) { return SDL_ConvertSurface(s, s->format, s->flags); }

bool same_pixels(SDL_Surface *a, SDL_Surface *b)
{
    if (a->w != b->w || a->h != b->h)
        return false;
    SDL_LockSurface(a);
    SDL_LockSurface(b);
    bool same = true;
    for (int y = 0; y < a->h && same; y++)
        same = memcmp(static_cast<Uint8 *>(a->pixels) + y * a->pitch,
                      static_cast<Uint8 *>(b->pixels) + y * b->pitch, size_t(a->w) * 4) == 0;
    SDL_UnlockSurface(b);
    SDL_UnlockSurface(a);
    return same;
}

SDL_Surface *global_surface(lua_State *L, const char *name)
{
    lua_getglobal(L, name);
    auto *s = static_cast<SDL_Surface *>(lua_touserdata(L, -1));
    lua_pop(L, 1);
    return s;
}

void set_string(lua_State *L, const char *name, const std::string &value)
{
    lua_pushlstring(L, value.data(), value.size());
    lua_setglobal(L, name);
}

void ScratchTest::SetUp()
{
    LuaTest::SetUp();
    char tmpl[] = "/tmp/zd-test-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir = tmpl;
}

void ScratchTest::TearDown()
{
    LuaTest::TearDown();
    EXPECT_EQ(system(("rm -rf '" + dir + "'").c_str()), 0);
}

std::string ScratchTest::make_sound(const std::string &name, const std::string &effects)
{
    std::string path = dir + "/" + name;
    bool wav = name.size() > 4 && name.compare(name.size() - 4, 4, ".wav") == 0;
    std::string cmd =
        "sox -D -n -r 44100 -c 2 " + std::string(wav ? "-b 16 '" : "'") + path + "' " + effects;
    EXPECT_EQ(system(cmd.c_str()), 0) << cmd;
    return path;
}
