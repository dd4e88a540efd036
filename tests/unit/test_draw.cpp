// Shapes by kind and style: a pixel the primitive lights and its neighbours
// just outside, probed on the display or on a surface handle.
#include "harness.h"

struct Probe {
    const char *call;
    int on[2][2];  // two pixels that must be lit
    int off[3][2]; // three that must stay dark
};

class DrawTest : public LuaTest
{
  protected:
    void SetUp() override
    {
        LuaTest::SetUp();
        run(L, "Z.init(200, 150)");
        ASSERT_NE(gScreen, nullptr);
    }
    void clear() { run(L, "Z.fill(0, 0, 0, 0, 0, 0, 0, 255)"); }
    bool lit(int x, int y) { return pixel_rgb(gScreen, x, y) != 0; }
    int lit_count() { return gScreen->w * gScreen->h - count_rgb(gScreen, 0); }
    template <size_t N> void check(const Probe (&rows)[N])
    {
        for (const Probe &r : rows) {
            clear();
            run(L, r.call);
            for (const auto &p : r.on)
                EXPECT_TRUE(lit(p[0], p[1])) << r.call << " at " << p[0] << "," << p[1];
            for (const auto &p : r.off)
                EXPECT_FALSE(lit(p[0], p[1])) << r.call << " at " << p[0] << "," << p[1];
        }
    }
};

TEST_F(DrawTest, EachKindAndStyleCallsItsPrimitive)
{
    const Probe rows[] = {
        // line: along it, not beside it or past its end
        {"Z.draw(10, 10, 50, 10, 255, 255, 255, 255, 0, 0)",
         {{10, 10}, {50, 10}},
         {{30, 11}, {51, 10}, {9, 10}}},
        {"Z.draw(10, 10, 50, 50, 255, 255, 255, 255, 0, 1)",
         {{30, 30}, {50, 50}},
         {{30, 20}, {20, 30}, {60, 60}}},
        // rectangle outline: the border, not the inside
        {"Z.draw(10, 10, 50, 40, 255, 255, 255, 255, 1, 0)",
         {{10, 25}, {30, 40}},
         {{30, 25}, {9, 25}, {51, 25}}},
        {"Z.draw(10, 10, 50, 40, 255, 255, 255, 255, 1, 2)",
         {{30, 25}, {50, 40}},
         {{51, 25}, {30, 41}, {9, 9}}},
        // circles around 100, 80 of radius 25; argument 4 plays no part
        {"Z.draw(100, 80, 25, 999, 255, 255, 255, 255, 2, 0)",
         {{125, 80}, {100, 55}},
         {{100, 80}, {126, 80}, {100, 106}}},
        {"Z.draw(100, 80, 25, -7, 255, 255, 255, 255, 2, 1)",
         {{125, 80}, {75, 80}},
         {{100, 80}, {127, 80}, {100, 107}}},
        {"Z.draw(100, 80, 25, 0, 255, 255, 255, 255, 2, 2)",
         {{100, 80}, {124, 80}},
         {{126, 80}, {100, 106}, {130, 110}}},
        // codes truncate toward zero: 1.9, 2.5 is a box; -0.5, 0 a line
        {"Z.draw(10, 10, 50, 40, 255, 255, 255, 255, 1.9, 2.5)",
         {{30, 25}, {10, 10}},
         {{51, 25}, {30, 41}, {9, 9}}},
        {"Z.draw(10, 10, 50, 10, 255, 255, 255, 255, -0.5, 0)",
         {{10, 10}, {30, 10}},
         {{30, 11}, {51, 10}, {30, 9}}},
        // 32768 reaches the primitive as -32768: the box spans from off the left edge
        {"Z.draw(32768, 10, 50, 40, 255, 255, 255, 255, 1, 2)",
         {{0, 25}, {50, 25}},
         {{51, 25}, {0, 41}, {0, 9}}},
    };
    check(rows);
}

TEST_F(DrawTest, PairsThatSelectNoPrimitiveDrawNothing)
{
    // Codes are whole 32-bit values: 65537 is not cut down to a rectangle.
    for (const char *codes : {"1, 1", "0, 2", "3, 0", "3, 2", "-1, 0", "-1, 2", "2, 3", "0, -1",
                              "65536 + 1, 0", "nil, 3"}) {
        clear();
        run(L, std::string("Z.draw(10, 10, 50, 40, 255, 255, 255, 255, ") + codes + ")");
        EXPECT_EQ(lit_count(), 0) << codes;
    }
    for (const char *style : {"3", "-1", "256"}) {
        clear();
        run(L, std::string("Z.drawTri(10, 10, 60, 10, 10, 60, 255, 255, 255, 255, ") + style + ")");
        EXPECT_EQ(lit_count(), 0) << style;
    }
}

TEST_F(DrawTest, TriangleStyles)
{
    // Corners 10,10 / 60,10 / 10,60: 20,20 is inside, 50,50 outside.
    const Probe rows[] = {
        {"Z.drawTri(10, 10, 60, 10, 10, 60, 255, 255, 255, 255, 0)",
         {{30, 10}, {10, 30}},
         {{20, 20}, {50, 50}, {30, 9}}},
        {"Z.drawTri(10, 10, 60, 10, 10, 60, 255, 255, 255, 255, 1)",
         {{30, 10}, {35, 35}},
         {{20, 20}, {50, 50}, {30, 8}}},
        {"Z.drawTri(10, 10, 60, 10, 10, 60, 255, 255, 255, 255, 2.7)",
         {{20, 20}, {30, 10}},
         {{50, 50}, {30, 9}, {9, 30}}},
    };
    check(rows);
}

TEST_F(DrawTest, ColourAndAlphaReachThePrimitive)
{
    clear();
    run(L, "Z.draw(10, 10, 20, 20, 256, -1, 300.7, 255, 1, 2)");
    EXPECT_EQ(pixel_rgb(gScreen, 15, 15), 0x00FF2Cu);
    clear();
    run(L, "Z.draw(10, 10, 20, 20, 255, 0, 0, 128, 1, 2)"); // half over black
    uint32_t red = pixel_rgb(gScreen, 15, 15) >> 16;
    EXPECT_GE(red, 120u);
    EXPECT_LE(red, 136u);
}

TEST_F(DrawTest, ShapesGoToTheGivenTarget)
{
    clear();
    run(L, "S = Z.makeSurf(30, 30); Z.fill(0, 0, 0, 0, 0, 0, 0, 255, S);"
           "Z.draw(5, 5, 20, 20, 255, 255, 255, 255, 1, 2, S);"
           "Z.drawTri(0, 0, 29, 0, 0, 29, 0, 255, 0, 255, 0, S)");
    EXPECT_EQ(lit_count(), 0);
    SDL_Surface *s = global_surface(L, "S");
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(pixel_rgb(s, 12, 12), 0xFFFFFFu);
    EXPECT_EQ(pixel_rgb(s, 21, 21), 0u);
    EXPECT_EQ(pixel_rgb(s, 15, 0), 0x00FF00u);
}
