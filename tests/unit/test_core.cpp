// The function table, the integer reader, the handle registry and the frame
// timer's arithmetic.
#include <cmath>
#include <limits>
#include <map>
#include <random>

#include "args.h"
#include "handles.h"
#include "harness.h"
#include "timer.h"

TEST_F(Engine, TableHoldsExactlyTheThirtyTwoFunctions)
{
    run(L, R"(local n = 0
        for _, f in pairs(Z) do n = n + 1; assert(type(f) == "function") end
        assert(n == 32, n)
        for name in ([[init quit fill flip input mouse isKeyDown loadImage makeSurf blit freeSurf
                       timer putpix loadFont printFont freeFont showCursor draw drawTri loadSound
                       loadMusic playSound playMusic pauseMusic musicVolume freeSound freeMusic
                       curses_init curses_refresh curses_addch curses_setcol curses_fill]]):gmatch("%S+") do
            assert(Z[name], name)
        end)");
}

TEST(Args, IntegerConversionIsDefinedForEveryDouble)
{
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double in;
        int32_t out;
    } rows[] = {
        {12.9, 12},
        {-12.9, -12},
        {-0.5, 0},
        {2147483647.9, INT32_MAX},
        {-2147483648.9, INT32_MIN},
        {2147483648.0, INT32_MIN}, // wraps modulo 2^32
        {-2147483649.0, INT32_MAX},
        {4294967296.0 + 5.7, 5},
        {-4294967296.0 - 5.7, -5},
        {1e300, 0},
        {inf, 0},
        {-inf, 0},
        {std::nan(""), 0},
    };
    for (const auto &r : rows)
        EXPECT_EQ(to_i32(r.in), r.out) << r.in;
}

TEST(Handles, KindsAreKeptApartAndRemovedOnce)
{
    int a = 0, b = 0;
    const uint32_t before = handle_count();
    EXPECT_TRUE(handle_add(&a, HANDLE_FONT));
    EXPECT_TRUE(handle_add(&b, HANDLE_SOUND));
    EXPECT_FALSE(handle_add(nullptr, HANDLE_FONT));
    EXPECT_TRUE(handle_live(&a, HANDLE_FONT));
    EXPECT_FALSE(handle_live(&a, HANDLE_SOUND));
    EXPECT_FALSE(handle_remove(&a, HANDLE_MUSIC)); // wrong kind: stays live
    EXPECT_TRUE(handle_remove(&a, HANDLE_FONT));
    EXPECT_FALSE(handle_remove(&a, HANDLE_FONT)); // twice
    EXPECT_EQ(handle_kind(&a), HANDLE_NONE);
    EXPECT_EQ(handle_count(), before + 1);
    EXPECT_TRUE(handle_remove(&b, HANDLE_SOUND));
}

static std::vector<void *> swept;
static bool sweep_one(void *p)
{
    swept.push_back(p);
    return true;
}

// Random adds and removes against a plain model: tombstones, growth and
// rehashing included.
TEST(Handles, RandomOperationsMatchAModel)
{
    std::vector<char> arena(4096 * 16);
    std::map<const void *, HandleKind> model;
    std::mt19937 rng(7);
    const uint32_t before = handle_count();
    for (int step = 0; step < 200000; step++) {
        const void *p = &arena[(rng() % 4096) * 16];
        auto kind = static_cast<HandleKind>(1 + rng() % 4);
        if (rng() % 3 && !model.count(p)) {
            ASSERT_TRUE(handle_add(p, kind));
            model[p] = kind;
        } else if (!model.count(p) || rng() % 2) {
            bool was = model.count(p) && model[p] == kind;
            ASSERT_EQ(handle_remove(p, kind), was);
            if (was)
                model.erase(p);
        }
        if (step % 1000 == 0) {
            ASSERT_EQ(handle_count(), before + model.size());
            for (const auto &[q, k] : model)
                ASSERT_EQ(handle_kind(q), k);
        }
    }
    size_t fonts = 0;
    for (const auto &e : model)
        fonts += e.second == HANDLE_FONT;
    swept.clear();
    handle_sweep(HANDLE_FONT, sweep_one);
    EXPECT_EQ(swept.size(), fonts);
    EXPECT_EQ(handle_count(), before + model.size() - fonts);
    for (const auto &e : model)
        handle_remove(e.first, e.second);
}

TEST(Timer, StepsThroughGivenTicks)
{
    // target, tick read -> wait, next slot, dt, fps after the call
    const struct {
        int32_t target;
        uint32_t tick, wait;
        int32_t next;
        float dt, fps;
    } rows[] = {
        {50, 10, 0, 20, 0.01f, 0},
        {50, 12, 8, 40, 0.002f, 0},
        {50, 25, 15, 60, 0.013f, 0},
        {50, 165, 0, 80, 0.14f, 0},
        {50, 170, 0, 100, 0.005f, 0},
        {0, 1001, 0, 100, 0.831f, 6},
        {-5, 2001, 0, 100, 1.0f, 6},
        {INT32_MIN, 2002, 0, 100, 0.001f, 2}, // over 1000 ms: closes
        {1001, 2002, 0, 100, 0, 2},
        {1000, 2002, 0, 101, 0, 2},
        {1, 2002, 0, 1101, 0, 2},
        {1, 2003, 0, 2101, 0.001f, 2},
        {1, 2004, 97, 3101, 0.001f, 2},
        {1, 2005, 1000, 4101, 0.001f, 2},
    };
    FrameTimer t = {};
    for (const auto &r : rows) {
        SCOPED_TRACE(testing::Message() << "target " << r.target << " at tick " << r.tick);
        EXPECT_EQ(timer_step(&t, r.tick, r.target), r.wait);
        EXPECT_EQ(t.nextFrame, r.next);
        EXPECT_FLOAT_EQ(t.dt, r.dt);
        EXPECT_EQ(t.fps, r.fps);
        EXPECT_EQ(t.currTime, int32_t(r.tick));
    }
}

TEST(Timer, WaitsThroughTheWrapOfTheTickCount)
{
    FrameTimer t = {};
    t.nextFrame = INT32_MAX - 5;
    t.currTime = INT32_MAX - 10;
    // The tick count passes 2^31: the wrapped schedule is behind, then ahead.
    EXPECT_EQ(timer_step(&t, 0x80000000u + 10u, 60), 0u);
    t.nextFrame = static_cast<int32_t>(0x80000000u + 20u);
    EXPECT_EQ(timer_step(&t, 0x80000000u + 15u, 60), 5u);
    EXPECT_EQ(t.nextFrame, static_cast<int32_t>(0x80000000u + 36u));
    EXPECT_FLOAT_EQ(t.dt, 0.005f);
}

// The clock itself: a paced call returns only once its slot has come, so
// each tick read is at least the slot of the call before. Only lower bounds:
// a busy machine makes every call later, never earlier. The schedule starts
// at 0 (no other test paces).
TEST_F(Engine, TimerPacesTheRealClock)
{
    run(L, R"(Z.init(32, 32)
        local last
        for i = 1, 8 do
            local dt, _, tick = Z.timer(50)
            assert(tick >= (i - 2) * 20, i .. ": " .. tick)
            if last then assert(math.abs(dt * 1000 - (tick - last)) < 1e-3, dt) end
            last = tick
        end)");
}
