// Input decoded from events pushed into SDL's queue, and the device state.
#include "harness.h"

class InputTest : public LuaTest
{
  protected:
    void SetUp() override
    {
        LuaTest::SetUp();
        run(L, "Z.init(640, 480)");
        while (SDL_PollEvent(nullptr) && SDL_PollEvent(&scratch)) {
        }
    }
    // Queues an event of TYPE; a is the key or the button, at x, y.
    void push(Uint8 type, int a = 0, Uint16 x = 0, Uint16 y = 0)
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
    // Calls input once and returns its results joined by spaces.
    std::string input()
    {
        int n = run(L, "return Z.input()");
        std::string out;
        for (int i = -n; i < 0; i++)
            out += (out.empty() ? "" : " ") + std::to_string(static_cast<long>(num(i)));
        lua_pop(L, n);
        return out;
    }
    SDL_Event scratch;
};

TEST_F(InputTest, EachEventKindAndItsValues)
{
    EXPECT_EQ(input(), "0");
    push(SDL_KEYDOWN, SDLK_ESCAPE);
    push(SDL_KEYUP, SDLK_LEFT);
    push(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_WHEELUP, 10, 20);
    push(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 640, 480);
    push(SDL_KEYDOWN, SDLK_z);
    EXPECT_EQ(input(), "1 27");
    EXPECT_EQ(input(), "2 276");
    EXPECT_EQ(input(), "3 10 20 4");
    EXPECT_EQ(input(), "4 640 480 3");
    EXPECT_EQ(input(), "1 122");
    EXPECT_EQ(input(), "0");
}

TEST_F(InputTest, OtherEventsAreDroppedAndConsumed)
{
    push(SDL_MOUSEMOTION);
    push(SDL_ACTIVEEVENT);
    push(SDL_VIDEOEXPOSE);
    push(SDL_USEREVENT);
    push(SDL_KEYDOWN, SDLK_ESCAPE);
    EXPECT_EQ(input(), "1 27");
    push(SDL_MOUSEMOTION);
    push(SDL_MOUSEMOTION);
    EXPECT_EQ(input(), "0");
    EXPECT_EQ(SDL_PollEvent(nullptr), 0);
    EXPECT_EQ(input(), "0");
}

TEST_F(InputTest, CloseRequestEndsTheProcessQuietly)
{
    push(SDL_KEYDOWN, SDLK_a);
    push(SDL_KEYUP, SDLK_a);
    push(SDL_QUIT);
    EXPECT_EQ(input(), "1 97");
    EXPECT_EQ(input(), "2 97");
    EXPECT_EXIT(input(), ::testing::ExitedWithCode(0), "^$");
}

TEST_F(InputTest, KeyStateComesFromSdl)
{
    int count = 0;
    Uint8 *keys = SDL_GetKeyState(&count);
    ASSERT_EQ(count, SDLK_LAST);
    keys[SDLK_ESCAPE] = SDL_PRESSED;
    run(L, "assert(Z.isKeyDown(27) == true and Z.isKeyDown(27.9) == true)");
    run(L, "assert(Z.isKeyDown(32) == false and Z.isKeyDown() == false)");
    keys[SDLK_ESCAPE] = SDL_RELEASED;
    run(L, "assert(Z.isKeyDown(27) == false)");
    // Codes outside the array read as not held.
    run(L, "for _, k in ipairs{-1, 323, 1e12, 0/0, 'x'} do assert(Z.isKeyDown(k) == false) end");
}

TEST_F(InputTest, MouseReportsPositionAndChosenButton)
{
    SDL_WarpMouse(123, 45);
    ASSERT_EQ(run(L, "return Z.mouse(1)"), 3);
    EXPECT_EQ(num(-3), 123);
    EXPECT_EQ(num(-2), 45);
    EXPECT_FALSE(lua_toboolean(L, -1));
    EXPECT_TRUE(lua_isboolean(L, -1));
    lua_settop(L, 0);
    // No argument, out-of-range and odd numbers give false, never a crash.
    run(L, R"(for _, b in ipairs{0, 9, 32, 33, -1, -100, 1e10, 0/0} do
                  local x, y, p = Z.mouse(b)
                  assert(x == 123 and y == 45 and p == false)
              end
              local x, y, p = Z.mouse()
              assert(p == false))");
}
