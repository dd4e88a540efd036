// Display lifecycle and device state against the dummy video driver.
#include "harness.h"

TEST_F(Engine, InitQuitCursorAndAFailedMixer)
{
    run("Z.init(800.9, 600.9)");
    EXPECT_EQ(gScreen->w * 10000 + gScreen->h, 8000600);
    EXPECT_EQ(gScreen->format->BitsPerPixel, 32);
    EXPECT_EQ(gScreen->flags & (SDL_FULLSCREEN | SDL_OPENGL), 0u);
    EXPECT_EQ(sound_on * 10 + gl_on + TTF_WasInit() * 100, 110);
    run("Z.flip() Z.quit()");
    EXPECT_EQ(SDL_WasInit(0) + TTF_WasInit() + (gScreen != nullptr), 0u);
    run("Z.init(320, 240, 0)"); // any true value asks for full screen
    EXPECT_NE(gScreen->flags & SDL_FULLSCREEN, 0u);
    for (auto [arg, shown] : {std::pair{"true", 1}, {"", 0}, {"0", 1}, {"false", 0}}) {
        run(std::string("Z.showCursor(") + arg + ")");
        EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), shown) << arg;
    }
    // An audio device that cannot be opened clears sound_on for good.
    env("SDL_AUDIODRIVER", "no-such-driver");
    run("Z.quit() Z.init(64, 48) Z.quit()");
    setenv("SDL_AUDIODRIVER", "disk", 1);
    run("Z.init(64, 48)");
    EXPECT_EQ(sound_on, 0);
}

// How input encodes events is the real-window test's; here, the state queries
// with codes no keyboard or mouse sends.
TEST_F(Engine, KeyAndMouseStateForAnyCode)
{
    run("Z.init(640, 480)");
    Uint8 *keys = SDL_GetKeyState(nullptr);
    keys[SDLK_ESCAPE] = keys[SDLK_LAST - 1] = SDL_PRESSED;
    SDL_WarpMouse(123, 45);
    run(R"~(assert(Z.isKeyDown(27) and Z.isKeyDown(27.9) and Z.isKeyDown(322) and not Z.isKeyDown())
        for _, k in ipairs{26, 28, -1, 323, 1e12, 0/0, 'x'} do assert(not Z.isKeyDown(k), k) end
        for b = -1, 10 do
            local x, y, held = Z.mouse(b)
            assert(x == 123 and y == 45 and held == false, b)
        end)~");
    keys[SDLK_ESCAPE] = keys[SDLK_LAST - 1] = SDL_RELEASED;
}
