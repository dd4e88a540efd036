#include "harness.h"

#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "handles.h"

// The headless drivers, for a run by hand; CTest sets the same.
static const bool drivers_chosen = [] {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "disk", 0);
    setenv("SDL_DISKAUDIOFILE", "/dev/null", 0);
    setenv("SDL_DISKAUDIODELAY", "0", 0);
    return true;
}();

static int arg(lua_State *L, int i) { return int(luaL_checknumber(L, i)); }

static SDL_Surface *surface(lua_State *L, int i)
{
    return lua_isnoneornil(L, i) ? gScreen : static_cast<SDL_Surface *>(lua_touserdata(L, i));
}

static uint32_t argb(SDL_Surface *s, int x, int y)
{
    Uint32 p = 0;
    memcpy(&p, static_cast<Uint8 *>(s->pixels) + y * s->pitch + x * 4, 4);
    Uint8 r, g, b, a;
    SDL_GetRGBA(p, s->format, &r, &g, &b, &a);
    return uint32_t(a) << 24 | uint32_t(r) << 16 | uint32_t(g) << 8 | b;
}

static int l_px(lua_State *L)
{
    lua_pushnumber(L, argb(surface(L, 3), arg(L, 1), arg(L, 2)) & 0xFFFFFF);
    return 1;
}

static int l_pa(lua_State *L)
{
    lua_pushnumber(L, argb(surface(L, 3), arg(L, 1), arg(L, 2)));
    return 1;
}

static int l_only(lua_State *L)
{
    int x0 = arg(L, 1), y0 = arg(L, 2), x1 = arg(L, 3), y1 = arg(L, 4);
    uint32_t in = luaL_checknumber(L, 5), out = luaL_checknumber(L, 6);
    SDL_Surface *s = surface(L, 7);
    for (int y = 0; y < s->h; y++)
        for (int x = 0; x < s->w; x++) {
            uint32_t p = argb(s, x, y) & 0xFFFFFF;
            if (p != (x >= x0 && x < x1 && y >= y0 && y < y1 ? in : out)) {
                lua_pushboolean(L, 0);
                lua_pushfstring(L, "pixel %d,%d is %p", x, y,
                                reinterpret_cast<void *>(uintptr_t(p)));
                return 2;
            }
        }
    lua_pushboolean(L, 1);
    return 1;
}

static int l_cell(lua_State *L)
{
    int i = arg(L, 2) * CC.cols + arg(L, 1);
    const uint8_t *f = CC.fgColors + 4 * i, *b = CC.bgColors + 4 * i;
    char s[32];
    snprintf(s, sizeof s, "%c %02X%02X%02X %02X%02X%02X", CC.chars[i], f[0], f[1], f[2], b[0], b[1],
             b[2]);
    lua_pushstring(L, s);
    return 1;
}

static bool free_surface(void *p)
{
    SDL_FreeSurface(static_cast<SDL_Surface *>(p));
    return true;
}

void Engine::SetUp()
{
    L = luaL_newstate();
    luaL_openlibs(L);
    lua_pushcfunction(L, luaopen_zedodava);
    lua_call(L, 0, 0);
    lua_register(L, "px", l_px);
    lua_register(L, "pa", l_pa);
    lua_register(L, "only", l_only);
    lua_register(L, "cell", l_cell);
    char dir[] = "/tmp/zd-test-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    tmp = dir;
    lua_pushstring(L, dir);
    lua_setglobal(L, "TMP");
    handles = handle_count();
}

void Engine::TearDown()
{
    if (SDL_WasInit(0))
        run("Z.quit()");
    handle_sweep(HANDLE_SURFACE, free_surface);
    sound_on = 1;
    for (auto it = saved_env.rbegin(); it != saved_env.rend(); ++it)
        it->second ? setenv(it->first.c_str(), it->second->c_str(), 1)
                   : unsetenv(it->first.c_str());
    lua_close(L);
    EXPECT_EQ(system(("rm -rf '" + tmp + "'").c_str()), 0);
}

static int load(lua_State *L, const std::string &code)
{
    std::string chunk = "local Z = zedodava; " + code;
    return luaL_loadbuffer(L, chunk.data(), chunk.size(), "test");
}

int Engine::run(const std::string &code)
{
    int base = lua_gettop(L);
    if (load(L, code) != 0 || lua_pcall(L, 0, LUA_MULTRET, 0) != 0) {
        ADD_FAILURE() << "Lua error: " << lua_tostring(L, -1) << "\nin: " << code;
        lua_pop(L, 1);
        return 0;
    }
    return lua_gettop(L) - base;
}

std::string Engine::run_error(const std::string &code)
{
    if (load(L, code) == 0 && lua_pcall(L, 0, 0, 0) == 0) {
        ADD_FAILURE() << "expected a Lua error from: " << code;
        return "";
    }
    std::string msg = lua_tostring(L, -1);
    lua_pop(L, 1);
    return msg;
}

void *Engine::ptr(const char *global)
{
    lua_getglobal(L, global);
    void *p = lua_touserdata(L, -1);
    lua_pop(L, 1);
    return p;
}

void Engine::env(const char *name, const char *value)
{
    const char *old = getenv(name);
    saved_env.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    setenv(name, value, 1);
}

std::string Engine::sound(const char *file, const char *effects)
{
    std::string path = tmp + "/" + file;
    bool wav = strstr(file, ".wav");
    std::string cmd =
        "sox -D -n -r 44100 -c 2 " + std::string(wav ? "-b 16 " : "") + path + " " + effects;
    EXPECT_EQ(system(cmd.c_str()), 0) << cmd;
    return path;
}
