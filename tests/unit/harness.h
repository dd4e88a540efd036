// In-process test helpers: an embedded interpreter with the module loaded.
#ifndef ZEDODAVA_TEST_HARNESS_H
#define ZEDODAVA_TEST_HARNESS_H

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include "core.h"
#include "handles.h"
#include "headless_env.h"
#include "surface.h"
#include "zedodava.h"

#define SANS "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
#define MONO "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf"

// The environment of tools/headless.env, for a run by hand too: what the
// caller's shell set for the same variables gives way. CTest sets it as well.
inline const bool drivers_chosen = [] {
    for (auto [name, value] :
         std::initializer_list<std::pair<const char *, const char *>>{ZD_HEADLESS_ENV})
        setenv(name, value, 1);
    return true;
}();

// Chunks see what tests/script/prelude.lua gives the script cases (Z, X,
// px, only, call...), with pa and mixer read here and a scratch directory
// TMP; live(): the number of live handles.
inline int l_pa(lua_State *L)
{
    auto *s = lua_isnoneornil(L, 3) ? gScreen : static_cast<SDL_Surface *>(lua_touserdata(L, 3));
    Uint32 p = static_cast<Uint32 *>(
        s->pixels)[int(lua_tonumber(L, 2)) * s->pitch / 4 + int(lua_tonumber(L, 1))];
    Uint8 r, g, b, a;
    SDL_GetRGBA(p, s->format, &r, &g, &b, &a);
    lua_pushnumber(L, double(uint32_t(a) << 24 | uint32_t(r) << 16 | uint32_t(g) << 8 | b));
    lua_pushnumber(L, s->w);
    lua_pushnumber(L, s->h);
    return 3;
}

inline int l_mixer(lua_State *L)
{
    for (int v : {Mix_Playing(-1), Mix_PlayingMusic(), Mix_PausedMusic(), Mix_VolumeMusic(-1)})
        lua_pushnumber(L, v);
    return 4;
}

inline int l_live(lua_State *L) { return lua_pushnumber(L, handle_count()), 1; }

// A fresh interpreter per test; the engine left as found (quit, sound on,
// environment, scratch directory, kept surfaces).
class Engine : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        luaL_openlibs(L = luaL_newstate());
        lua_pushcfunction(L, luaopen_zedodava);
        lua_call(L, 0, 0);
        for (auto [name, fn] : {std::pair{"pa", l_pa}, {"mixer", l_mixer}, {"live", l_live}})
            lua_register(L, name, fn);
        char dir[] = "/tmp/zd-test-XXXXXX";
        lua_pushstring(L, (tmp = mkdtemp(dir)).c_str());
        lua_setglobal(L, "TMP");
        run("dofile('" ZD_TESTS_DIR "/script/prelude.lua')");
    }
    void TearDown() override
    {
        if (SDL_WasInit(0))
            run("Z.quit()");
        handle_sweep(HANDLE_SURFACE,
                     [](void *p) { return SDL_FreeSurface((SDL_Surface *)p), true; });
        sound_on = 1;
        for (auto it = saved_env.rbegin(); it != saved_env.rend(); ++it)
            it->second ? setenv(it->first.c_str(), it->second->c_str(), 1)
                       : unsetenv(it->first.c_str());
        lua_close(L);
        EXPECT_EQ(system(("rm -rf " + tmp).c_str()), 0);
    }
    // Runs a chunk (an error fails the test); returns the number of its results.
    int run(const std::string &code)
    {
        int base = lua_gettop(L);
        if (luaL_loadbuffer(L, code.data(), code.size(), "test") || lua_pcall(L, 0, -1, 0)) {
            ADD_FAILURE() << "Lua error: " << lua_tostring(L, -1) << "\nin: " << code;
            lua_pop(L, 1);
        }
        return lua_gettop(L) - base;
    }
    double num(int idx) { return lua_tonumber(L, idx); }
    void *ptr(const char *global) // a light userdata global
    {
        lua_getglobal(L, global);
        void *p = lua_touserdata(L, -1);
        return lua_pop(L, 1), p;
    }
    void env(const char *name, const char *value) // setenv until the test ends
    {
        const char *old = getenv(name);
        saved_env.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        setenv(name, value, 1);
    }
    lua_State *L = nullptr;
    std::string tmp;

  private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_env;
};

// The chunk ends the process with status 1 after a line matching regex (the
// fatal lines go to standard output, which the death test cannot read).
#define EXPECT_FATAL_LINE(code, regex)                                                             \
    EXPECT_EXIT((dup2(2, 1), run(code)), ::testing::ExitedWithCode(1), regex) << (code)

#endif
