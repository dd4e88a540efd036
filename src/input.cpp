// Input and timing: event polling, mouse and keyboard state, the frame timer.
#include <cstdlib>

#include "args.h"
#include "timer.h"
#include "zedodava.h"

// Before start-up and after quit there is no window: no events, the pointer
// at 0, 0 with no button held, no key held.
int l_input(lua_State *L)
{
    SDL_Event e;
    while (gScreen && SDL_PollEvent(&e)) {
        switch (e.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP:
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
            exit(0);
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

// Differences of tick counts are taken modulo 2^32 and read as signed.
static int32_t tick_diff(int32_t a, int32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

uint32_t timer_step(FrameTimer *t, uint32_t now, int32_t target)
{
    t->frames++;
    t->prevTime = t->currTime;
    t->currTime = static_cast<int32_t>(now);
    t->dt = static_cast<float>(tick_diff(t->currTime, t->prevTime) / 1000.0);

    if (tick_diff(t->currTime, t->prevFpsUpdate) / 1000.0 > 1.0) {
        t->fps = static_cast<float>(t->frames);
        t->prevFpsUpdate = t->currTime;
        t->frames = 0;
    }

    if (target <= 0)
        return 0;
    // Compared through the wrapped difference so that the schedule keeps
    // working when the tick count passes 2^31; no wait is ever longer than
    // the largest frame step (1000 ms at a target of 1).
    int32_t ahead = tick_diff(t->nextFrame, t->currTime);
    uint32_t wait = ahead > 0 ? static_cast<uint32_t>(ahead) : 0;
    if (wait > 1000)
        wait = 1000;
    t->nextFrame = static_cast<int32_t>(static_cast<uint32_t>(t->nextFrame) +
                                        static_cast<uint32_t>(1000 / target));
    return wait;
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
