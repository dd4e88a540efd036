// In-process test helpers: an embedded Lua 5.1 with the module loaded.
#ifndef ZEDODAVA_TEST_HARNESS_H
#define ZEDODAVA_TEST_HARNESS_H

#include <string>

#include <unistd.h>

#include <gtest/gtest.h>
#include <lua.hpp>

#include "zedodava.h"

// A fresh interpreter with the standard libraries and the module opened.
lua_State *open_state();

// Runs a chunk in which Z names the module table; a Lua error fails the
// test. The chunk's results stay on the stack; their count is returned.
int run(lua_State *L, const std::string &code);

// Runs a chunk that must raise; returns the error message.
std::string run_error(lua_State *L, const std::string &code);

// Expects a chunk to end the process with status 1 and print a line that
// matches the regular expression (the fatal lines go to standard output,
// which the death test redirects to where it can read them).
#define EXPECT_FATAL_LINE(L, code, regex)                                                          \
    EXPECT_EXIT(                                                                                   \
        {                                                                                          \
            dup2(2, 1);                                                                            \
            run(L, code);                                                                          \
        },                                                                                         \
        ::testing::ExitedWithCode(1), regex)

// Reads one pixel of a 32-bit surface as r, g, b packed in 0xRRGGBB.
uint32_t pixel_rgb(SDL_Surface *s, int x, int y);

// Test fixture that owns an interpreter and closes it with the test.
class LuaTest : public ::testing::Test
{
  protected:
    void SetUp() override { L = open_state(); }
    void TearDown() override { lua_close(L); }
    double num(int idx) { return lua_tonumber(L, idx); }
    lua_State *L = nullptr;
};

#endif
