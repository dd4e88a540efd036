// The API description against the tables the library registers: names, in
// order, and how many arguments each handler reads. The Lua API's readers are
// wrapped at link time (-Wl,--wrap=...) to keep the deepest index read.
#include "harness.h"

static bool gReading = false;
static int gDeepest = 0;
static std::vector<const luaL_Reg *> gTables;

static void saw(int i) { gDeepest = gReading && i > gDeepest ? i : gDeepest; }

// __wrap_NAME does WHAT (keeps the index read, or the table), then calls NAME.
#define WRAP(T, NAME, PARAMS, WHAT, ARGS)                                                          \
    T __real_##NAME PARAMS;                                                                        \
    T __wrap_##NAME PARAMS;                                                                        \
    T __wrap_##NAME PARAMS { return WHAT, __real_##NAME ARGS; }
extern "C" {
#if LUA_VERSION_NUM == 501
WRAP(lua_Number, lua_tonumber, (lua_State * L, int i), saw(i), (L, i))
WRAP(void, luaL_register, (lua_State * L, const char *n, const luaL_Reg *l), gTables.push_back(l),
     (L, n, l))
#else
WRAP(lua_Number, lua_tonumberx, (lua_State * L, int i, int *isnum), saw(i), (L, i, isnum))
WRAP(void, luaL_setfuncs, (lua_State * L, const luaL_Reg *l, int nup), gTables.push_back(l),
     (L, l, nup))
#endif
WRAP(int, lua_toboolean, (lua_State * L, int i), saw(i), (L, i))
WRAP(void *, lua_touserdata, (lua_State * L, int i), saw(i), (L, i))
WRAP(const char *, lua_tolstring, (lua_State * L, int i, size_t *len), saw(i), (L, i, len))
WRAP(int, lua_type, (lua_State * L, int i), saw(i), (L, i))
WRAP(lua_Number, luaL_optnumber, (lua_State * L, int i, lua_Number d), saw(i), (L, i, d))
}

// args(F): what a script would pass F, such that its handler gets past its
// early returns (a fresh handle of each kind, files that load, numbers in range).
static const char *const kPlausible = R"~(package.path = ROOT .. "/lua/?.lua;" .. package.path
API, BEEP, unpack = require "zedodava.api", TMP .. "/beep.wav", unpack or table.unpack
os.execute("sox -D -n -r 22050 -c 1 -b 16 " .. BEEP .. " synth 0.02 sine 440")
Z.curses_init(8, 4, MONO, 10)
X.saveImage(nil, TMP .. "/a.png")
local files = { image = TMP .. "/a.png", font = MONO, sound = BEEP, music = BEEP }
local make = { surface = function() return Z.makeSurf(2, 2) end, font = function() return Z.loadFont(MONO, 10) end,
               sound = function() return Z.loadSound(BEEP) end, music = function() return Z.loadMusic(BEEP) end }
function args(F)
    local a = {}
    for i, p in ipairs(F.params) do
        if make[p.type] then a[i] = make[p.type]()
        elseif p.type == "path" then a[i] = files[p.loads]
        elseif p.type == "text" then a[i] = p.name == "path" and TMP .. "/b.png" or "A"
        elseif p.type == "number" and not p.opt then a[i] = math.max(p.min or 1, math.min(p.max or 1, 1)) end
    end
    return unpack(a, 1, #F.params)
end
function names(list) local n = {} for i, F in ipairs(list) do n[i] = F.name end return table.concat(n, " ") end)~";

TEST_F(Engine, TheDescriptionMatchesTheRegisteredTables)
{
    std::string root = __FILE__;
    run("ROOT, MONO = [[" + root.erase(root.rfind("/tests/unit/")) + "]], '" MONO "'");
    run(kPlausible);
    gTables.clear();
    lua_pushcfunction(L, luaopen_zedodava);
    lua_call(L, 0, 0);
    run("package.loaded['zedodava.extra'] = nil X = require 'zedodava.extra'");
    ASSERT_EQ(gTables.size(), 2u);
    for (const char *list : {"API", "API.extra"}) {
        const luaL_Reg *reg = gTables[list[3] == '.'];
        std::string names;
        for (const luaL_Reg *r = reg; r->name; r++)
            names += (r == reg ? "" : " ") + std::string(r->name);
        run(std::string("LIST = ") + list + " return names(LIST)");
        ASSERT_STREQ(lua_tostring(L, -1), names.c_str()) << list;
        lua_pop(L, 1);
        for (int i = 0; reg[i].name; i++) {
            run("F = LIST[" + std::to_string(i + 1) + "]");
            lua_pushcfunction(L, reg[i].func);
            const int n = run("return args(F)");
            gReading = true, gDeepest = 0;
            EXPECT_EQ(lua_pcall(L, n, 0, 0), 0) << reg[i].name << ": " << lua_tostring(L, -1);
            gReading = false;
            EXPECT_EQ(gDeepest, n) << reg[i].name << " reads a different number of arguments";
            lua_settop(L, 0);
            run("if F.stops or F.starts then Z.curses_init(8, 4, MONO, 10) end");
        }
    }
}
