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

// Reads one pixel of a 32-bit surface as r, g, b packed in 0xRRGGBB, or
// with alpha as 0xAARRGGBB.
uint32_t pixel_rgb(SDL_Surface *s, int x, int y);
uint32_t pixel_argb(SDL_Surface *s, int x, int y);

// How many pixels of a 32-bit surface are rgb (0xRRGGBB).
int count_rgb(SDL_Surface *s, uint32_t rgb);

// A copy of a surface with the same format and contents, and whether two
// 32-bit surfaces have the same size and the same bytes in every pixel.
SDL_Surface *copy_surface(SDL_Surface *s);
bool same_pixels(SDL_Surface *a, SDL_Surface *b);

// The surface (or other light userdata) a script left in a global.
SDL_Surface *global_surface(lua_State *L, const char *name);

// Sets a string global for the script.
void set_string(lua_State *L, const char *name, const std::string &value);

// Test fixture that owns an interpreter and closes it with the test.
class LuaTest : public ::testing::Test
{
  protected:
    void SetUp() override { L = open_state(); }
    void TearDown() override { lua_close(L); }
    double num(int idx) { return lua_tonumber(L, idx); }
    lua_State *L = nullptr;
};

// A fixture with a scratch directory, removed with the test.
class ScratchTest : public LuaTest
{
  protected:
    void SetUp() override;
    void TearDown() override;
    // Makes a sound file in the directory with sox at 44.1 kHz stereo,
    // 16 bits for WAV, without dither (silence stays 0); returns its path.
    std::string make_sound(const std::string &name, const std::string &effects);
    std::string dir;
};

#endif
