// Display lifecycle and input against the dummy video driver: events are
// pushed into SDL's queue, key and mouse state set directly.
#include "harness.h"

TEST_F(Engine, InitSetsTheModeAndQuitShutsEverythingDown)
{
    run(L, "Z.init(800.9, 600.9)");
    ASSERT_NE(gScreen, nullptr);
    EXPECT_EQ(gScreen->w * 10000 + gScreen->h, 8000600);
    EXPECT_EQ(gScreen->format->BitsPerPixel, 32);
    EXPECT_EQ(gScreen->flags & (SDL_FULLSCREEN | SDL_OPENGL), 0u);
    EXPECT_EQ(sound_on + gl_on, 1);
    EXPECT_EQ(TTF_WasInit(), 1);
    run(L, "Z.flip() Z.quit()");
    EXPECT_EQ(gScreen, nullptr);
    EXPECT_EQ(SDL_WasInit(0), 0u);
    EXPECT_EQ(TTF_WasInit(), 0);
    run(L, "Z.init(320, 240, 0)"); // any true value asks for full screen
    EXPECT_NE(gScreen->flags & SDL_FULLSCREEN, 0u);
    for (auto [arg, shown] : {std::pair{"true", 1}, {"", 0}, {"0", 1}, {"nil", 0}}) {
        run(L, std::string("Z.showCursor(") + arg + ")");
        EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), shown) << arg;
    }
}

TEST_F(Engine, MixerFailureClearsSoundOnForGood)
{
    env("SDL_AUDIODRIVER", "no-such-driver");
    run(L, "Z.init(64, 48)");
    EXPECT_EQ(sound_on, 0);
    EXPECT_NE(gScreen, nullptr);
    run(L, "Z.quit()");
    setenv("SDL_AUDIODRIVER", "disk", 1);
    run(L, "Z.init(64, 48)");
    EXPECT_EQ(sound_on, 0);
}

static void push(Uint8 type, int a = 0, Uint16 x = 0, Uint16 y = 0)
{
    SDL_Event e = {};
    e.type = type;
    if (type == SDL_KEYDOWN || type == SDL_KEYUP) {
        e.key.keysym.sym = SDLKey(a);
    } else {
        e.button.button = Uint8(a);
        e.button.x = x;
        e.button.y = y;
    }
    SDL_PushEvent(&e);
}

TEST_F(Engine, InputEncodesEachEventAndDropsTheRest)
{
    run(L, "Z.init(640, 480)");
    while (SDL_PollEvent(nullptr))
        run(L, "Z.input()");
    push(SDL_MOUSEMOTION);
    push(SDL_KEYDOWN, SDLK_ESCAPE);
    push(SDL_ACTIVEEVENT);
    push(SDL_KEYUP, SDLK_LEFT);
    push(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_WHEELUP, 10, 20);
    push(SDL_VIDEOEXPOSE);
    push(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 640, 480);
    push(SDL_USEREVENT);
    for (const char *want : {"1 27", "2 276", "3 10 20 4", "4 640 480 3", "0", "0"}) {
        int n = run(L, "return Z.input()");
        std::string got;
        for (int i = -n; i < 0; i++)
            got += (i > -n ? " " : "") + std::to_string(static_cast<long>(num(i)));
        lua_pop(L, n);
        EXPECT_EQ(got, want);
    }
    EXPECT_EQ(SDL_PollEvent(nullptr), 0);
}

TEST_F(Engine, KeyAndMouseState)
{
    run(L, "Z.init(640, 480)");
    int keys = 0;
    Uint8 *state = SDL_GetKeyState(&keys);
    ASSERT_EQ(keys, SDLK_LAST);
    state[SDLK_ESCAPE] = state[SDLK_LAST - 1] = SDL_PRESSED;
    run(L, "assert(Z.isKeyDown(27) and Z.isKeyDown(27.9) and Z.isKeyDown(322))");
    run(L, "for _, k in ipairs{26, 28, -1, 323, 1e12, 0/0, 'x'} do assert(Z.isKeyDown(k) == false) "
           "end assert(Z.isKeyDown() == false)");
    state[SDLK_ESCAPE] = state[SDLK_LAST - 1] = SDL_RELEASED;
    run(L, "assert(Z.isKeyDown(27) == false)");
    // With no button held (a held one is the real-window test's), every
    // number reads false, and the pointer is where it was put.
    SDL_WarpMouse(123, 45);
    run(L, R"(for b = -1, 10 do
                  local x, y, held = Z.mouse(b)
                  assert(x == 123 and y == 45 and held == false, b)
              end
              assert(select("#", Z.mouse()) == 3))");
}
