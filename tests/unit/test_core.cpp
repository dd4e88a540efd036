// The integer reader and the frame timer's arithmetic. (The handle registry is
// the lifecycle tests' and the fuzzer's: any slip there leaks or crashes.)
#include <cmath>
#include <dlfcn.h>

#include "args.h"
#include "harness.h"
#include "timer.h"

// The clock the module reads: SDL's, or the tick count a test gives.
static Uint32 given_ticks = 0;
extern "C" Uint32 SDL_GetTicks()
{
    static auto sdl = reinterpret_cast<Uint32 (*)()>(dlsym(RTLD_NEXT, "SDL_GetTicks"));
    return given_ticks ? given_ticks : sdl();
}

TEST(Args, IntegerConversionIsDefinedForEveryDouble)
{
    // clang-format off
    const std::pair<double, int32_t> rows[] = {
        {12.9, 12}, {-12.9, -12}, {-0.5, 0}, {2147483647.9, INT32_MAX}, {-2147483648.9, INT32_MIN},
        {2147483648.0, INT32_MIN}, {-2147483649.0, INT32_MAX}, {4294967296.0 + 5.7, 5},
        {-4294967296.0 - 5.7, -5}, {1e300, 0}, {HUGE_VAL, 0}, {-HUGE_VAL, 0}, {std::nan(""), 0}};
    // clang-format on
    for (auto [in, out] : rows)
        EXPECT_EQ(to_i32(in), out) << in;
}

TEST(Timer, StepsThroughGivenTicks)
{
    // target, tick read -> wait, next slot, dt, frame rate after the call
    const struct {
        int32_t target;
        uint32_t tick, wait;
        int32_t next;
        float dt, fps;
    } rows[] = {
        // clang-format off
        {50, 10, 0, 20, 0.01f, 0}, {50, 12, 8, 40, 0.002f, 0}, {50, 25, 15, 60, 0.013f, 0},
        {50, 165, 0, 80, 0.14f, 0}, {50, 170, 0, 100, 0.005f, 0},
        {0, 1001, 0, 100, 0.831f, 6}, {-5, 2001, 0, 100, 1.0f, 6}, // more than a second closes it
        {INT32_MIN, 2002, 0, 100, 0.001f, 2}, {1001, 2002, 0, 100, 0, 2}, {1000, 2002, 0, 101, 0, 2},
        {1, 2002, 0, 1101, 0, 2}, {1, 2003, 0, 2101, 0.001f, 2}, {1, 2004, 97, 3101, 0.001f, 2},
        {1, 2005, 1000, 4101, 0.001f, 2}, // no wait is longer than a second
        // clang-format on
    };
    FrameTimer t = {};
    for (const auto &r : rows) {
        EXPECT_EQ(timer_step(&t, r.tick, r.target), r.wait) << r.tick;
        EXPECT_TRUE(t.nextFrame == r.next && t.fps == r.fps) << r.tick;
        EXPECT_FLOAT_EQ(t.dt, r.dt) << r.tick;
    }
    // Through the wrap of the tick count at 2^31: behind, then ahead.
    t.nextFrame = INT32_MAX - 5;
    EXPECT_EQ(timer_step(&t, 0x80000000u + 10u, 60), 0u);
    t.nextFrame = static_cast<int32_t>(0x80000000u + 20u);
    EXPECT_EQ(timer_step(&t, 0x80000000u + 15u, 60), 5u);
    EXPECT_EQ(t.nextFrame, static_cast<int32_t>(0x80000000u + 36u));
    EXPECT_FLOAT_EQ(t.dt, 0.005f);
}

// timer's results in order: dt, the frame rate, the tick it read (given). The
// first call closes whatever frame-rate window earlier calls opened.
TEST_F(Engine, TimerReturnsFrameTimeRateAndTick)
{
    run("function T(want) local got = string.format('%.3f %g %d', Z.timer(0)) "
        "assert(want == '' or got == want, got) end");
    for (auto [tick, want] : {std::pair<Uint32, std::string>{5000000, ""},
                              {5001600, "1.600 1 5001600"},
                              {5001700, "0.100 1 5001700"},
                              {5001750, "0.050 1 5001750"},
                              {5002800, "1.050 3 5002800"}})
        given_ticks = tick, run("T('" + want + "')");
    given_ticks = 0;
}
