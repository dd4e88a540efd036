// In-process test helpers: an embedded interpreter with the module loaded.
#ifndef ZEDODAVA_TEST_HARNESS_H
#define ZEDODAVA_TEST_HARNESS_H

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "zedodava.h"

#define SANS "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
#define MONO "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf"

// A fresh interpreter for each test, and the engine left as it was found:
// quit if started, sound back on, environment restored, scratch files
// removed, surfaces the test kept freed.
//
// Chunks run with Z naming the module and these globals:
//   px(x, y [, s])   pixel of surface s (default gScreen) as 0xRRGGBB
//   pa(x, y [, s])   the same as 0xAARRGGBB
//   only(x0, y0, x1, y1, inside, outside [, s]) whether every pixel of s is
//                    `inside` in [x0, x1) x [y0, y1) and `outside` elsewhere,
//                    and the first pixel that is not
//   cell(x, y)       a console cell as "c RRGGBB RRGGBB" (character,
//                    foreground, background)
//   TMP              a scratch directory, removed with the test
class Engine : public ::testing::Test
{
  protected:
    void SetUp() override;
    void TearDown() override;
    // Runs a chunk; a Lua error fails the test. Its results stay on the
    // stack and their count is returned.
    int run(const std::string &code);
    std::string run_error(const std::string &code); // the chunk must raise: its message
    double num(int idx) { return lua_tonumber(L, idx); }
    void *ptr(const char *global);                            // a light userdata global
    void env(const char *name, const char *value);            // setenv until the test ends
    std::string sound(const char *file, const char *effects); // made by sox in TMP
    lua_State *L = nullptr;
    std::string tmp;
    uint32_t handles = 0; // live handles when the test began

  private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_env;
};

// The chunk ends the process with status 1 after a line matching regex (the
// fatal lines go to standard output, which the death test cannot read).
#define EXPECT_FATAL_LINE(code, regex)                                                             \
    EXPECT_EXIT((dup2(2, 1), run(code)), ::testing::ExitedWithCode(1), regex) << (code)

#endif
