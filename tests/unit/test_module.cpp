// The function table, and the integer conversion every handler shares (the
// other readers are pinned through the functions that use them).
#include <cmath>
#include <limits>

#include "args.h"
#include "harness.h"

static const char *const kNames[] = {
    "init",          "quit",        "fill",      "flip",        "input",          "mouse",
    "isKeyDown",     "loadImage",   "makeSurf",  "blit",        "freeSurf",       "timer",
    "putpix",        "loadFont",    "printFont", "freeFont",    "showCursor",     "draw",
    "drawTri",       "loadSound",   "loadMusic", "playSound",   "playMusic",      "pauseMusic",
    "musicVolume",   "freeSound",   "freeMusic", "curses_init", "curses_refresh", "curses_addch",
    "curses_setcol", "curses_fill",
};

TEST_F(LuaTest, TableHoldsExactlyTheThirtyTwoFunctions)
{
    lua_getglobal(L, "zedodava");
    ASSERT_TRUE(lua_istable(L, -1));
    int count = 0;
    lua_pushnil(L);
    while (lua_next(L, -2)) {
        count++;
        EXPECT_TRUE(lua_iscfunction(L, -1)) << lua_tostring(L, -2);
        lua_pop(L, 1);
    }
    EXPECT_EQ(count, 32);
    for (const char *name : kNames) {
        lua_getfield(L, -1, name);
        EXPECT_TRUE(lua_iscfunction(L, -1)) << name;
        lua_pop(L, 1);
    }
}

TEST_F(LuaTest, OpenReturnsTheGlobalTable)
{
    lua_pushcfunction(L, luaopen_zedodava);
    lua_call(L, 0, 1);
    lua_getglobal(L, "zedodava");
    EXPECT_TRUE(lua_rawequal(L, -1, -2));
}

TEST(Args, IntegerConversionIsDefinedForEveryDouble)
{
    struct {
        double in;
        int32_t out;
    } rows[] = {
        {0.0, 0},
        {12.9, 12},
        {-12.9, -12},
        {-0.5, 0},
        {2147483647.9, 2147483647},
        {-2147483648.9, INT32_MIN},
        {2147483648.0, INT32_MIN}, // wraps modulo 2^32
        {4294967296.0 + 5.7, 5},
        {-4294967296.0 - 5.7, -5},
        {1e300, 0},
        {std::numeric_limits<double>::infinity(), 0},
        {-std::numeric_limits<double>::infinity(), 0},
        {std::nan(""), 0},
    };
    for (const auto &r : rows)
        EXPECT_EQ(to_i32(r.in), r.out) << r.in;
}
