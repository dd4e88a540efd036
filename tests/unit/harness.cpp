#include "harness.h"

#include <cstdlib>
#include <cstring>

#include "handles.h"

// The headless drivers, for a run by hand; CTest sets the same.
static const bool drivers_chosen = [] {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "disk", 0);
    setenv("SDL_DISKAUDIOFILE", "/dev/null", 0);
    setenv("SDL_DISKAUDIODELAY", "0", 0);
    return true;
}();

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
    if (load(L, code) == 0 && lua_pcall(L, 0, 0, 0) == 0) {
        ADD_FAILURE() << "expected a Lua error from: " << code;
        return "";
    }
    std::string msg = lua_tostring(L, -1);
    lua_pop(L, 1);
    return msg;
}

uint32_t argb(SDL_Surface *s, int x, int y)
{
    Uint32 p = 0;
    memcpy(&p, static_cast<Uint8 *>(s->pixels) + y * s->pitch + x * 4, 4);
    Uint8 r, g, b, a;
    SDL_GetRGBA(p, s->format, &r, &g, &b, &a);
    return uint32_t(a) << 24 | uint32_t(r) << 16 | uint32_t(g) << 8 | b;
}

int count(SDL_Surface *s, uint32_t colour, int x0, int y0, int x1, int y1)
{
    int n = 0;
    for (int y = y0; y < std::min(y1, s->h); y++)
        for (int x = x0; x < std::min(x1, s->w); x++)
            n += rgb(s, x, y) == colour;
    return n;
}

::testing::AssertionResult only_rect(SDL_Surface *s, int x0, int y0, int x1, int y1, uint32_t in,
                                     uint32_t out)
{
    for (int y = 0; y < s->h; y++)
        for (int x = 0; x < s->w; x++) {
            bool inside = x >= x0 && x < x1 && y >= y0 && y < y1;
            if (rgb(s, x, y) != (inside ? in : out))
                return ::testing::AssertionFailure()
                       << "pixel " << x << "," << y << " is " << std::hex << rgb(s, x, y);
        }
    return ::testing::AssertionSuccess();
}

std::vector<uint32_t> pixels(SDL_Surface *s)
{
    std::vector<uint32_t> v;
    for (int y = 0; y < s->h; y++)
        for (int x = 0; x < s->w; x++)
            v.push_back(argb(s, x, y));
    return v;
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
    handles = handle_count();
}

void Engine::TearDown()
{
    if (SDL_WasInit(0))
        run(L, "Z.quit()");
    handle_sweep(HANDLE_SURFACE, free_surface);
    sound_on = 1;
    for (auto it = saved_env.rbegin(); it != saved_env.rend(); ++it)
        it->second ? setenv(it->first.c_str(), it->second->c_str(), 1)
                   : unsetenv(it->first.c_str());
    lua_close(L);
    if (!dir.empty()) {
        EXPECT_EQ(system(("rm -rf '" + dir + "'").c_str()), 0);
    }
}

SDL_Surface *Engine::global(const char *name)
{
    lua_getglobal(L, name);
    auto *s = static_cast<SDL_Surface *>(lua_touserdata(L, -1));
    lua_pop(L, 1);
    return s;
}

void Engine::set(const char *name, const std::string &value)
{
    lua_pushlstring(L, value.data(), value.size());
    lua_setglobal(L, name);
}

void Engine::set(const char *name, void *p)
{
    lua_pushlightuserdata(L, p);
    lua_setglobal(L, name);
}

void Engine::env(const char *name, const char *value)
{
    const char *old = getenv(name);
    saved_env.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    setenv(name, value, 1);
}

std::string Engine::scratch(const std::string &file)
{
    if (dir.empty()) {
        char tmpl[] = "/tmp/zd-test-XXXXXX";
        EXPECT_NE(mkdtemp(tmpl), nullptr);
        dir = tmpl;
    }
    return dir + "/" + file;
}

std::string Engine::sound(const std::string &file, const std::string &effects)
{
    std::string path = scratch(file);
    bool wav = file.find(".wav") != std::string::npos;
    std::string cmd =
        "sox -D -n -r 44100 -c 2 " + std::string(wav ? "-b 16 " : "") + path + " " + effects;
    EXPECT_EQ(system(cmd.c_str()), 0) << cmd;
    return path;
}
