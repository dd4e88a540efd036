// Display lifecycle: init, flip, showCursor and quit against the dummy driver.
#include <cstdlib>

#include "harness.h"

TEST_F(LuaTest, InitOpensTheModeAndSetsTheGlobals)
{
    run(L, "Z.init(800.9, 600.9)");
    ASSERT_NE(gScreen, nullptr);
    EXPECT_EQ(gScreen->w, 800);
    EXPECT_EQ(gScreen->h, 600);
    EXPECT_EQ(gScreen->format->BitsPerPixel, 32);
    EXPECT_EQ(gScreen->flags & SDL_FULLSCREEN, 0u);
    EXPECT_EQ(gl_on, 0);
    EXPECT_EQ(sound_on, 1);
    EXPECT_EQ(SDL_WasInit(0) & (SDL_INIT_VIDEO | SDL_INIT_AUDIO),
              Uint32(SDL_INIT_VIDEO | SDL_INIT_AUDIO));
    EXPECT_EQ(TTF_WasInit(), 1);
    run(L, "Z.flip()");
    run(L, "Z.quit()");
    EXPECT_EQ(gScreen, nullptr);
    EXPECT_EQ(SDL_WasInit(0), 0u);
    EXPECT_EQ(TTF_WasInit(), 0);
}

TEST_F(LuaTest, FullScreenIsAskedForAnyTrueValue)
{
    run(L, "Z.init(320, 240, 0)");
    ASSERT_NE(gScreen, nullptr);
    EXPECT_NE(gScreen->flags & SDL_FULLSCREEN, 0u);
}

TEST_F(LuaTest, MixerFailureClearsSoundOnAndStartUpGoesOn)
{
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    run(L, "Z.init(64, 48)");
    EXPECT_EQ(sound_on, 0);
    EXPECT_NE(gScreen, nullptr);
    run(L, "Z.quit()");
    // Never set back, not even by a later start-up.
    setenv("SDL_AUDIODRIVER", "disk", 1);
    run(L, "Z.init(64, 48)");
    EXPECT_EQ(sound_on, 0);
}

TEST_F(LuaTest, ShowCursorFollowsItsBoolean)
{
    run(L, "Z.init(64, 48)");
    struct {
        const char *arg;
        int shown;
    } rows[] = {{"true", 1}, {"", 0}, {"0", 1}, {"nil", 0}};
    for (const auto &r : rows) {
        run(L, std::string("Z.showCursor(") + r.arg + ")");
        EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), r.shown) << r.arg;
    }
}
