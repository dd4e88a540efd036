// In-process test helpers: an embedded interpreter with the module loaded.
#ifndef ZEDODAVA_TEST_HARNESS_H
#define ZEDODAVA_TEST_HARNESS_H

#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "zedodava.h"

#define SANS "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
#define MONO "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf"

// A fresh interpreter for each test, and the engine left as it was found:
// quit if started, sound back on, environment restored, scratch directory
// removed, kept surfaces freed. Chunks see the module as Z and the helpers
// of harness.cpp's prelude: pa, px, only, cell, call, sound, TMP.
class Engine : public ::testing::Test
{
  protected:
    void SetUp() override;
    void TearDown() override;
    // Runs a chunk; a Lua error fails the test. Its results stay on the
    // stack; their count is returned.
    int run(const std::string &code);
    double num(int idx) { return lua_tonumber(L, idx); }
    void *ptr(const char *global);                 // a light userdata global
    void env(const char *name, const char *value); // setenv until the test ends
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
