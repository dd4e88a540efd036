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

// pa(x, y [, s]): a pixel of surface s (gScreen by default) as 0xAARRGGBB,
// then the surface's width and height; px: the same pixel without alpha.
// only: whether every pixel of s is `inside` in [x0, x1) x [y0, y1) and
// `outside` elsewhere, and the first that is not. cell(x, y): a console cell
// as "c RRGGBB RRGGBB" (character, foreground, background). call: runs
// "Z." .. code and returns what it returns. sound: a file made in the
// scratch directory TMP by sox at 44.1 kHz stereo (WAV: 16 bits).
static const char *const kPrelude = R"~(Z = zedodava
function px(x, y, s) return pa(x, y, s) % 16777216 end
function only(x0, y0, x1, y1, inside, outside, s)
    local _, w, h = pa(0, 0, s)
    for y = 0, h - 1 do
        for x = 0, w - 1 do
            local p = px(x, y, s)
            if p ~= (x >= x0 and x < x1 and y >= y0 and y < y1 and inside or outside) then
                return false, string.format("pixel %d,%d is %06X", x, y, p)
            end
        end
    end
    return true
end
function call(code) -- an expression, or statements
    local load = loadstring or load
    return assert(load("return Z." .. code) or load("Z." .. code), code)()
end
function sound(file, effects)
    local path = TMP .. "/" .. file
    local b = file:find("%.wav$") and "-b 16 " or ""
    local made = os.execute("sox -D -n -r 44100 -c 2 " .. b .. path .. " " .. effects)
    assert(made == 0 or made == true, effects)
    return path
end)~";

static int l_pa(lua_State *L)
{
    auto *s = lua_isnoneornil(L, 3) ? gScreen : static_cast<SDL_Surface *>(lua_touserdata(L, 3));
    int x = int(luaL_checknumber(L, 1)), y = int(luaL_checknumber(L, 2));
    Uint32 p = 0;
    memcpy(&p, static_cast<Uint8 *>(s->pixels) + y * s->pitch + x * 4, 4);
    Uint8 r, g, b, a;
    SDL_GetRGBA(p, s->format, &r, &g, &b, &a);
    lua_pushnumber(L, double(uint32_t(a) << 24 | uint32_t(r) << 16 | uint32_t(g) << 8 | b));
    lua_pushnumber(L, s->w);
    lua_pushnumber(L, s->h);
    return 3;
}

static int l_cell(lua_State *L)
{
    int i = int(luaL_checknumber(L, 2)) * CC.cols + int(luaL_checknumber(L, 1));
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
    lua_register(L, "pa", l_pa);
    lua_register(L, "cell", l_cell);
    char dir[] = "/tmp/zd-test-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    tmp = dir;
    lua_pushstring(L, dir);
    lua_setglobal(L, "TMP");
    run(kPrelude);
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

int Engine::run(const std::string &code)
{
    int base = lua_gettop(L);
    if (luaL_loadbuffer(L, code.data(), code.size(), "test") || lua_pcall(L, 0, LUA_MULTRET, 0)) {
        ADD_FAILURE() << "Lua error: " << lua_tostring(L, -1) << "\nin: " << code;
        lua_pop(L, 1);
        return 0;
    }
    return lua_gettop(L) - base;
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
