// The frame timer's arithmetic, kept apart from the clock so that it can be
// driven by given tick counts.
#ifndef ZEDODAVA_TIMER_H
#define ZEDODAVA_TIMER_H

#include <cstdint>

struct FrameTimer {
    int32_t nextFrame;     // tick at which the next paced frame may start
    float fps;             // calls counted in the last closed window
    float dt;              // seconds between the last two tick readings
    int32_t prevFpsUpdate; // tick at which the current window opened
    int32_t currTime;      // tick read by the latest call
    int32_t prevTime;      // tick read by the call before it
    int32_t frames;        // calls counted in the current window
};

// Accounts for one call that read tick `now` with the given target rate and
// returns how many milliseconds the call must wait (0 for none).
uint32_t timer_step(FrameTimer *t, uint32_t now, int32_t target);

#endif
