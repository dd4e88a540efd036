// In-process test helpers: an embedded interpreter with the module loaded.
#ifndef ZEDODAVA_TEST_HARNESS_H
#define ZEDODAVA_TEST_HARNESS_H

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

#include <gtest/gtest.h>

#include "zedodava.h"

#define SANS "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
#define MONO "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf"

// Runs a chunk in which Z names the module table; a Lua error fails the
// test. The chunk's results stay on the stack; their count is returned.
int run(lua_State *L, const std::string &code);
// Runs a chunk that must raise; returns the message.
std::string run_error(lua_State *L, const std::string &code);

// The chunk ends the process with status 1 after a line matching regex (the
// fatal lines go to standard output, which the death test cannot read).
#define EXPECT_FATAL_LINE(L, code, regex)                                                          \
    EXPECT_EXIT((dup2(2, 1), run(L, code)), ::testing::ExitedWithCode(1), regex) << (code)

// One pixel of a 32-bit surface as 0xAARRGGBB, and without alpha.
uint32_t argb(SDL_Surface *s, int x, int y);
inline uint32_t rgb(SDL_Surface *s, int x, int y) { return argb(s, x, y) & 0xFFFFFF; }
// Pixels of s equal to `colour` (0xRRGGBB) in the rectangle [x0, x1) x [y0, y1).
int count(SDL_Surface *s, uint32_t colour, int x0 = 0, int y0 = 0, int x1 = 1 << 30,
          int y1 = 1 << 30);
// Every pixel of s is `in` inside [x0, x1) x [y0, y1) and `out` elsewhere.
::testing::AssertionResult only_rect(SDL_Surface *s, int x0, int y0, int x1, int y1, uint32_t in,
                                     uint32_t out);
// A copy of the pixel rows of a 32-bit surface.
std::vector<uint32_t> pixels(SDL_Surface *s);

// A fresh interpreter for each test, and the engine left as it was found:
// quit if started, sound back on, environment variables restored, scratch
// files removed, surfaces the test kept freed.
class Engine : public ::testing::Test
{
  protected:
    void SetUp() override;
    void TearDown() override;
    double num(int idx) { return lua_tonumber(L, idx); }
    SDL_Surface *global(const char *name);                // a light userdata global
    void set(const char *name, const std::string &value); // a string global
    void set(const char *name, void *p);                  // a light userdata global
    void env(const char *name, const char *value);        // setenv until the test ends
    std::string scratch(const std::string &file);         // a path in a scratch directory
    // A sound file made by sox at 44.1 kHz stereo (16-bit for WAV, no dither).
    std::string sound(const std::string &file, const std::string &effects);
    lua_State *L = nullptr;
    uint32_t handles = 0; // live handles when the test began

  private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_env;
    std::string dir;
};

#endif
