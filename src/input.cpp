// Input and timing: event polling, mouse and keyboard state, the frame timer.
#include "input.h"
#include "handlers.h"

#include <cstdlib>

#include "args.h"
#include "core.h"
#include "timer.h"

bool catch_close = false;
bool text_input = false;
uint16_t last_typed = 0;

// Before start-up and after quit there is no window: no events, the pointer
// at 0, 0 with no button held, no key held.
int l_input(lua_State *L)
{
    SDL_Event e;
    last_typed = 0;
    if (text_input) // video start-up turns the translation off
        SDL_EnableUNICODE(1);
    while (gScreen && SDL_PollEvent(&e)) {
        switch (e.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            if (e.type == SDL_KEYDOWN)
                last_typed = e.key.keysym.unicode;
            push_int(L, e.type == SDL_KEYDOWN ? 1 : 2);
            push_int(L, static_cast<int32_t>(e.key.keysym.sym));
            return 2;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            push_int(L, e.type == SDL_MOUSEBUTTONDOWN ? 3 : 4);
            push_int(L, e.button.x);
            push_int(L, e.button.y);
            push_int(L, e.button.button);
            return 4;
        case SDL_QUIT:
            if (!catch_close)
                exit(0);
            push_int(L, 5);
            return 1;
        default:
            break; // dropped: motion, focus, expose, user events...
        }
    }
    push_int(L, 0);
    return 1;
}

int l_mouse(lua_State *L)
{
    int32_t b = arg_int(L, 1);
    int x = 0, y = 0;
    Uint8 mask = gScreen ? SDL_GetMouseState(&x, &y) : 0;
    push_int(L, x);
    push_int(L, y);
    lua_pushboolean(L, b >= 1 && b <= 8 && (mask & (1u << (b - 1))) != 0);
    return 3;
}

int l_isKeyDown(lua_State *L)
{
    int count = 0;
    const Uint8 *keys = SDL_GetKeyState(&count);
    int32_t k = arg_int(L, 1);
    lua_pushboolean(L, gScreen && k >= 0 && k < count && keys[k] == SDL_PRESSED);
    return 1;
}

static FrameTimer frame_timer;

int l_timer(lua_State *L)
{
    int32_t target = arg_int(L, 1);
    uint32_t wait = timer_step(&frame_timer, SDL_GetTicks(), target);
    if (wait)
        SDL_Delay(wait);
    lua_pushnumber(L, frame_timer.dt);
    lua_pushnumber(L, frame_timer.fps);
    push_int(L, frame_timer.currTime);
    return 3;
}
