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

TEST_F(LuaTest, OpenGLRequestSetsGlOnBeforeTheModeFails)
{
    // The dummy driver has no OpenGL: the mode fails and the process ends.
    EXPECT_EXIT(run(L, "Z.init(64, 48, false, true)"), ::testing::ExitedWithCode(1), "");
}

TEST_F(LuaTest, ShowCursorFollowsItsBoolean)
{
    run(L, "Z.init(64, 48)");
    run(L, "Z.showCursor(true)");
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), 1);
    run(L, "Z.showCursor()");
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), 0);
    run(L, "Z.showCursor(0)");
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), 1);
    run(L, "Z.showCursor(nil)");
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), 0);
}

TEST_F(LuaTest, SecondQuitAndFlipAfterQuitAreHarmless)
{
    run(L, "Z.init(64, 48)");
    run(L, "Z.quit(); Z.quit(); Z.flip()");
    EXPECT_EQ(gScreen, nullptr);
    // The engine starts again after a full shutdown.
    run(L, "Z.init(32, 16)");
    ASSERT_NE(gScreen, nullptr);
    EXPECT_EQ(gScreen->w, 32);
}
