// The registry of live handles against a plain model, through random
// adds and removes (tombstones, growth and rehashing included).
#include <map>
#include <random>
#include <vector>

#include "handles.h"
#include "harness.h"

TEST(Handles, KindsAreKeptApartAndRemovedOnce)
{
    int a = 0, b = 0;
    EXPECT_TRUE(handle_add(&a, HANDLE_FONT));
    EXPECT_TRUE(handle_add(&b, HANDLE_SOUND));
    EXPECT_TRUE(handle_live(&a, HANDLE_FONT));
    EXPECT_FALSE(handle_live(&a, HANDLE_SOUND));
    EXPECT_FALSE(handle_live(nullptr, HANDLE_FONT));
    EXPECT_FALSE(handle_remove(&a, HANDLE_MUSIC)); // wrong kind: stays live
    EXPECT_TRUE(handle_live(&a, HANDLE_FONT));
    EXPECT_TRUE(handle_remove(&a, HANDLE_FONT));
    EXPECT_FALSE(handle_remove(&a, HANDLE_FONT)); // double free
    EXPECT_EQ(handle_kind(&a), HANDLE_NONE);
    EXPECT_FALSE(handle_add(nullptr, HANDLE_FONT));
    EXPECT_EQ(handle_count(), 1u);
}

static std::vector<void *> drained;
static bool collect(void *p)
{
    drained.push_back(p);
    return true;
}

TEST(Handles, RandomOperationsMatchAModel)
{
    std::vector<char> arena(4096 * 16);
    std::map<const void *, HandleKind> model;
    std::mt19937 rng(7);
    for (int step = 0; step < 200000; step++) {
        const void *p = &arena[(rng() % 4096) * 16];
        auto kind = static_cast<HandleKind>(1 + rng() % 4);
        if (rng() % 3) {
            if (!model.count(p)) {
                ASSERT_TRUE(handle_add(p, kind));
                model[p] = kind;
            }
        } else {
            bool was = model.count(p) && model[p] == kind;
            ASSERT_EQ(handle_remove(p, kind), was);
            if (was)
                model.erase(p);
        }
        if (step % 1000 == 0) {
            ASSERT_EQ(handle_count(), model.size());
            for (const auto &[q, k] : model)
                ASSERT_EQ(handle_kind(q), k);
        }
    }
    size_t fonts = 0;
    for (const auto &e : model)
        fonts += e.second == HANDLE_FONT;
    handle_sweep(HANDLE_FONT, collect);
    EXPECT_EQ(drained.size(), fonts);
    EXPECT_EQ(handle_count(), model.size() - fonts);
    for (void *p : drained)
        EXPECT_EQ(handle_kind(p), HANDLE_NONE);
}
