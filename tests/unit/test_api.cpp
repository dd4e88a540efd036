// The API description (lua/zedodava/api.lua) against what the library
// registers: the names of both tables, in order, and how many arguments each
// handler reads. The Lua API's readers are wrapped at link time
// (-Wl,--wrap=...): while a handler runs here, the deepest argument any of
// them is asked for is kept, and so are the tables handed to registration.
#include "harness.h"

static bool gReading = false;
static int gDeepest = 0;
static std::vector<const luaL_Reg *> gTables;

static int read_at(int i)
{
    if (gReading && i > gDeepest)
        gDeepest = i;
    return i;
}

// __wrap_NAME stands in for NAME: it keeps the index read, then calls it.
#define WRAP(T, NAME, PARAMS, ARGS)                                                                \
    T __real_##NAME PARAMS;                                                                        \
    T __wrap_##NAME PARAMS;                                                                        \
    T __wrap_##NAME PARAMS { return __real_##NAME ARGS; }
// __wrap_NAME keeps the table registered, then calls NAME.
#define WRAP_REG(NAME, PARAMS, ARGS)                                                               \
    void __real_##NAME PARAMS;                                                                     \
    void __wrap_##NAME PARAMS;                                                                     \
    void __wrap_##NAME PARAMS { gTables.push_back(l), __real_##NAME ARGS; }

extern "C" {
#if LUA_VERSION_NUM == 501
WRAP(lua_Number, lua_tonumber, (lua_State * L, int i), (L, read_at(i)))
WRAP_REG(luaL_register, (lua_State * L, const char *name, const luaL_Reg *l), (L, name, l))
#else
WRAP(lua_Number, lua_tonumberx, (lua_State * L, int i, int *isnum), (L, read_at(i), isnum))
WRAP_REG(luaL_setfuncs, (lua_State * L, const luaL_Reg *l, int nup), (L, l, nup))
#endif
WRAP(int, lua_toboolean, (lua_State * L, int i), (L, read_at(i)))
WRAP(void *, lua_touserdata, (lua_State * L, int i), (L, read_at(i)))
WRAP(const char *, lua_tolstring, (lua_State * L, int i, size_t *len), (L, read_at(i), len))
WRAP(int, lua_type, (lua_State * L, int i), (L, read_at(i)))
WRAP(lua_Number, luaL_optnumber, (lua_State * L, int i, lua_Number d), (L, read_at(i), d))
}

// API = the description; args(F) = arguments a script would plausibly pass
// F, such that its handler gets past its early returns: a fresh handle of
// each kind taken, files that load, numbers in range, a valid kind pair.
static const char *const kPlausible = R"~(
package.path = ROOT .. "/lua/?.lua;" .. package.path
API = require "zedodava.api"
Z.curses_init(8, 4, MONO, 10)
local surface = Z.makeSurf(2, 2)
Z.fill(0, 0, 0, 0, 1, 2, 3, 255, surface)
local files = { image = TMP .. "/a.png", font = MONO, sound = BEEP, music = BEEP }
X.saveImage(surface, files.image)
local make = { surface = function() return Z.makeSurf(2, 2) end, font = function() return Z.loadFont(MONO, 10) end,
               sound = function() return Z.loadSound(BEEP) end, music = function() return Z.loadMusic(BEEP) end }
function args(F)
    local a = {}
    for i, p in ipairs(F.params) do
        if make[p.type] then a[i] = make[p.type]()
        elseif p.type == "path" then a[i] = files[p.loads]
        elseif p.type == "boolean" then a[i] = false
        elseif p.type == "text" then a[i] = p.name == "path" and TMP .. "/b.png" or "A"
        elseif not p.opt then a[i] = math.max(p.min or 1, math.min(p.max or 1, 1)) end
    end
    for _, r in ipairs(F.rules or {}) do
        for i, p in ipairs(F.params) do
            if r.pairs and p.name == r.pairs[1] then a[i] = r.valid[1][1] end
            if r.pairs and p.name == r.pairs[2] then a[i] = r.valid[1][2] end
        end
    end
    return unpack(a, 1, #F.params)
end
unpack = unpack or table.unpack
)~";

TEST_F(Engine, TheDescriptionMatchesTheRegisteredTables)
{
    std::string root = __FILE__;
    root.erase(root.rfind("/tests/unit/"));
    lua_pushstring(L, root.c_str());
    lua_setglobal(L, "ROOT");
    run("MONO = '" MONO "' BEEP = TMP .. '/beep.wav' "
        "os.execute('sox -D -n -r 22050 -c 1 -b 16 ' .. BEEP .. ' synth 0.02 sine 440')");
    gTables.clear();
    lua_pushcfunction(L, luaopen_zedodava);
    lua_call(L, 0, 0);
    run("package.loaded['zedodava.extra'] = nil X = require 'zedodava.extra'");
    ASSERT_EQ(gTables.size(), 2u);
    run(kPlausible);
    const char *lists[] = {"API", "API.extra"};
    for (int t = 0; t < 2; t++) {
        std::vector<std::string> registered;
        std::string names;
        for (const luaL_Reg *r = gTables[t]; r->name; r++)
            registered.push_back(r->name),
                names += names.empty() ? r->name : std::string(" ") + r->name;
        run(std::string("LIST = ") + lists[t]);
        run("local n = {} for i, F in ipairs(LIST) do n[i] = F.name end return table.concat(n, ' "
            "')");
        ASSERT_STREQ(lua_tostring(L, -1), names.c_str()) << lists[t];
        lua_pop(L, 1);
        for (size_t i = 0; i < registered.size(); i++) {
            const int base = lua_gettop(L);
            run("F = LIST[" + std::to_string(i + 1) + "]");
            lua_pushcfunction(L, gTables[t][i].func);
            const int n = run("return args(F)");
            gReading = true;
            gDeepest = 0;
            const int failed = lua_pcall(L, n, 0, 0);
            gReading = false;
            EXPECT_EQ(failed, 0) << registered[i] << ": " << lua_tostring(L, -1);
            EXPECT_EQ(gDeepest, n) << registered[i] << " reads a different number of arguments";
            lua_settop(L, base);
            run("if F.stops or F.starts then Z.curses_init(8, 4, MONO, 10) end");
        }
    }
}
