// The integer reader, the handle registry and the frame timer.
#include <cmath>
#include <map>
#include <random>

#include "args.h"
#include "handles.h"
#include "harness.h"
#include "timer.h"

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

// Random adds and removes of every kind against a plain model: tombstones,
// growth and rehashing included. (Sweeps are quit's, checked there.)
TEST(Handles, RandomOperationsMatchAModel)
{
    std::vector<char> arena(4096 * 16);
    std::map<const void *, HandleKind> model;
    std::mt19937 rng(7);
    const uint32_t before = handle_count();
    for (int step = 0; step < 200000; step++) {
        const void *p = &arena[(rng() % 4096) * 16];
        auto kind = static_cast<HandleKind>(1 + rng() % 4);
        bool was = model.count(p) && model[p] == kind;
        if (rng() % 3 && !model.count(p)) {
            ASSERT_TRUE(handle_add(p, kind));
            model[p] = kind;
        } else {
            ASSERT_EQ(handle_remove(p, kind), was) << step;
            if (was)
                model.erase(p);
        }
        if (step % 1000 == 0) {
            ASSERT_EQ(handle_count(), before + model.size());
            for (const auto &[q, k] : model)
                ASSERT_TRUE(handle_kind(q) == k && handle_live(q, k) &&
                            !handle_live(q, HandleKind(k % 4 + 1)));
        }
    }
    for (const auto &e : model)
        handle_remove(e.first, e.second);
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
