// The frame timer's arithmetic driven by given tick counts, and one check of
// real pacing against the clock.
#include "harness.h"
#include "timer.h"

TEST(Timer, WorkedExampleAtFiftyFramesPerSecond)
{
    struct {
        uint32_t tick, wait;
        int32_t next;
        float dt;
    } rows[] = {
        {10, 0, 20, 0.01f},    {12, 8, 40, 0.002f},   {25, 15, 60, 0.013f},  {45, 15, 80, 0.02f},
        {165, 0, 100, 0.12f},  {170, 0, 120, 0.005f}, {175, 0, 140, 0.005f}, {180, 0, 160, 0.005f},
        {185, 0, 180, 0.005f}, {190, 0, 200, 0.005f}, {195, 5, 220, 0.005f}, {205, 15, 240, 0.01f},
    };
    FrameTimer t = {};
    for (const auto &r : rows) {
        EXPECT_EQ(timer_step(&t, r.tick, 50), r.wait) << "tick " << r.tick;
        EXPECT_EQ(t.nextFrame, r.next) << "tick " << r.tick;
        EXPECT_EQ(t.dt, r.dt) << "tick " << r.tick;
        EXPECT_EQ(t.currTime, int32_t(r.tick));
        EXPECT_EQ(t.fps, 0.0f);
    }
}

TEST(Timer, WindowClosesOnlyAfterStrictlyMoreThanASecond)
{
    FrameTimer t = {};
    timer_step(&t, 1001, 0); // more than 1000 ms after start: closes at once
    EXPECT_EQ(t.fps, 1.0f);
    EXPECT_EQ(t.prevFpsUpdate, 1001);
    timer_step(&t, 2001, 0); // exactly 1000 ms: still open
    EXPECT_EQ(t.fps, 1.0f);
    EXPECT_EQ(t.frames, 1);
    timer_step(&t, 2002, 0); // one more millisecond closes it
    EXPECT_EQ(t.fps, 2.0f);
    EXPECT_EQ(t.frames, 0);
}

TEST(Timer, SteadyTwentyMillisecondsCountsFiftyOneCalls)
{
    FrameTimer t = {};
    timer_step(&t, 1001, 0);
    for (uint32_t tick = 1021; tick <= 2001; tick += 20)
        timer_step(&t, tick, 0);
    EXPECT_EQ(t.fps, 1.0f);
    timer_step(&t, 2021, 0);
    EXPECT_EQ(t.fps, 51.0f);
}

TEST(Timer, TargetsThatDoNotPace)
{
    for (int32_t target : {0, -5, INT32_MIN}) {
        FrameTimer t = {};
        EXPECT_EQ(timer_step(&t, 100, target), 0u);
        EXPECT_EQ(timer_step(&t, 101, target), 0u);
        EXPECT_EQ(t.nextFrame, 0);
        EXPECT_FLOAT_EQ(t.dt, 0.001f);
    }
    // Above 1000 the step is 0 ms: the schedule never moves, nobody waits.
    FrameTimer t = {};
    for (uint32_t tick : {0u, 1u, 2u, 50u})
        EXPECT_EQ(timer_step(&t, tick, 1001), 0u);
    EXPECT_EQ(t.nextFrame, 0);
    // 1000 is a 1 ms step.
    FrameTimer u = {};
    timer_step(&u, 0, 1000);
    EXPECT_EQ(timer_step(&u, 0, 1000), 1u);
}

TEST(Timer, WaitStaysBoundedWhenTheTickCountWraps)
{
    FrameTimer t = {};
    t.nextFrame = INT32_MAX - 5;
    t.currTime = INT32_MAX - 10;
    // The tick count passes 2^31: the wrapped schedule is 16 ms ahead.
    EXPECT_EQ(timer_step(&t, 0x80000000u + 10u, 60), 0u);
    t.nextFrame = static_cast<int32_t>(0x80000000u + 20u);
    EXPECT_EQ(timer_step(&t, 0x80000000u + 15u, 60), 5u);
    // A schedule far ahead (targets changed by the script) never waits longer than a second.
    t.nextFrame = t.currTime + 100000;
    EXPECT_EQ(timer_step(&t, static_cast<uint32_t>(t.currTime), 30), 1000u);
}

TEST_F(LuaTest, TimerPacesTheRealClock)
{
    run(L, "Z.init(32, 32)");
    // Catch the schedule up to the clock first, then time 10 paced frames.
    ASSERT_EQ(run(L, R"(
        local dt, fps, t0
        repeat dt, fps, t0 = Z.timer(50) until dt < 0.015
        local start = t0
        for i = 1, 10 do dt, fps, t0 = Z.timer(50) end
        local _, _, now = Z.timer()
        return now - start, dt, fps, t0)"),
              4);
    double elapsed = num(1);
    EXPECT_GE(elapsed, 150) << "ten frames at 50 fps take about 200 ms";
    EXPECT_LE(elapsed, 1000);
    EXPECT_GT(num(2), 0.0);
    EXPECT_EQ(num(3), 0.0);
}
