// The frame timer's arithmetic.
#include "timer.h"

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
