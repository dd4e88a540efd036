// Surfaces and drawing, read back from the pixel buffers.
#include <cstring>

#include "harness.h"

class Draw : public Engine
{
  protected:
    void SetUp() override
    {
        Engine::SetUp();
        run(L, "Z.init(200, 150) S = Z.makeSurf(7, 5)");
    }
    // Clears both the display and S to black, runs code, and checks that the
    // only white pixels of the target (S when the code names it) form the rectangle.
    void expect_rect(const std::string &code, int x0, int y0, int x1, int y1)
    {
        run(L, "Z.fill(0, 0, 0, 0, 0, 0, 0, 255) Z.fill(0, 0, 0, 0, 0, 0, 0, 255, S) " + code);
        SDL_Surface *t = code.find("S)") != std::string::npos ? global("S") : gScreen;
        EXPECT_TRUE(only_rect(t, x0, y0, x1, y1, 0xFFFFFF, 0)) << code;
        if (t != gScreen) {
            EXPECT_EQ(count(gScreen, 0), 200 * 150) << code;
        }
    }
};

TEST_F(Draw, FillPutpixAndBlitPlaceTheirPixels)
{
    run(L, "W = Z.makeSurf(6, 6) Z.fill(0, 0, 0, 0, 255, 255, 255, 255, W)"
           "B = Z.makeSurf(300, 300) Z.fill(0, 0, 0, 0, 255, 255, 255, 255, B)");
    const struct {
        const char *code;
        int x0, y0, x1, y1;
    } rows[] = {
        {"Z.fill(3.9, 4.9, 10.9, 2.5, 255, 255, 255, 255)", 3, 4, 13, 6},
        {"Z.fill(-3.9, -2.5, 5, 5, 255, 255, 255, 255)", 0, 0, 2, 3},
        {"Z.fill(5, 5, -1, 3, 255, 255, 255, 255)", 5, 5, 200, 8},  // -1 is 65535
        {"Z.fill(3, 3, 2, 65537, 255, 255, 255, 255)", 3, 3, 5, 4}, // low 16 bits: 1
        {"Z.fill(65536 + 4, 2, 1, 1, 255, 255, 255, 255)", 4, 2, 5, 3},
        {"Z.fill(10, 10, 0, 5, 255, 255, 255, 255)", 0, 0, 200, 150}, // a zero side: all
        {"Z.fill(10, 10, 5, 0, 255, 255, 255, 255, S)", 0, 0, 7, 5},
        {"Z.fill(1, 1, 2, 1, 255, 255, 255, 255, S)", 1, 1, 3, 2},
        {"Z.putpix(2.9, 3.9, 255, 255, 255, 255, S)", 2, 3, 3, 4},
        {"Z.putpix(65536 + 6, -65536 + 4, 255, 255, 255, 255, S)", 6, 4, 7, 5},
        {"Z.putpix(0/0, 2, 255, 255, 255, 255, S)", 0, 2, 1, 3},
        {"Z.putpix(199, 149, 255, 255, 255, 255)", 199, 149, 200, 150},
        // outside the target: nothing written
        {"for _, p in ipairs{{-1, 0}, {0, -1}, {7, 0}, {0, 5}, {7, 5}, {65535, 65535}, {1e10, 1}} "
         "do "
         "Z.putpix(p[1], p[2], 255, 255, 255, 255, S) end",
         0, 0, 0, 0},
        {"Z.blit(W, 3.9, 4.9)", 3, 4, 9, 10},
        {"Z.blit(W, -3.9, -4.9)", 0, 0, 3, 2},
        {"Z.blit(W, 196, 147, nil)", 196, 147, 200, 150},
        {"Z.blit(W, 65536 + 10, 5)", 10, 5, 16, 11},
        {"Z.blit(B, 0, 0)", 0, 0, 200, 150},
        {"Z.blit(W, 2, 1, S)", 2, 1, 7, 5},
        {"Z.blit(nil, 1, 1) Z.blit()", 0, 0, 0, 0},
    };
    for (const auto &r : rows)
        expect_rect(r.code, r.x0, r.y0, r.x1, r.y1);
}

TEST_F(Draw, ChannelsAlphaAndBlending)
{
    run(L, "Z.fill(0, 0, 0, 0, 256, -1, 300.7, 255) Z.putpix(1, 1, -255.5, 511, 44, 0)"
           "Z.fill(0, 0, 0, 0, 10, 20, 30, 128, S) Z.fill(2, 2, 1, 1, 1, 2, 3, 4, S)"
           "Z.putpix(5, 4, 9, 8, 7, 200, S)");
    SDL_Surface *s = global("S");
    EXPECT_EQ(rgb(gScreen, 9, 9), 0x00FF2Cu);
    EXPECT_EQ(rgb(gScreen, 1, 1), 0x01FF2Cu);
    EXPECT_EQ(argb(s, 0, 0), 0x800A141Eu);
    EXPECT_EQ(argb(s, 2, 2), 0x04010203u);
    EXPECT_EQ(argb(s, 5, 4), 0xC8090807u);
    EXPECT_EQ(s->locked, 0u);
    // A half-transparent sprite over black comes out at about half strength.
    run(L,
        "Z.fill(0, 0, 0, 0, 0, 0, 0, 255) Z.fill(0, 0, 0, 0, 255, 64, 0, 128, S) Z.blit(S, 0, 0)");
    EXPECT_NEAR(int(rgb(gScreen, 0, 0) >> 16), 128, 8);
    EXPECT_NEAR(int(rgb(gScreen, 0, 0) >> 8 & 0xFF), 32, 8);
    // makeSurf: truncated sizes, 32 bits with alpha; an empty one takes nothing.
    ASSERT_EQ(run(L, "return Z.makeSurf(100.7, 50.2)"), 3);
    auto *m = static_cast<SDL_Surface *>(lua_touserdata(L, -3));
    EXPECT_EQ(m->w, 100);
    EXPECT_EQ(m->h, 50);
    EXPECT_EQ(num(-2) * 1000 + num(-1), 100050);
    EXPECT_NE(m->format->Amask, 0u);
    run(L, "E = Z.makeSurf(0, 0) Z.fill(0, 0, 0, 0, 1, 2, 3, 4, E) Z.putpix(0, 0, 1, 2, 3, 4, E)"
           "Z.draw(0, 0, 5, 5, 1, 1, 1, 255, 1, 2, E) Z.blit(E, 0, 0) Z.freeSurf(E)");
}

TEST(Putpixel, StoresEachPixelWidth)
{
    const Uint32 value = 0xDDAABBCC;
    const struct {
        int bpp;
        Uint32 rmask;
        std::vector<Uint8> bytes; // what lands at the pixel's address
    } rows[] = {
        {8, 0, {0xCC}},
        {16, 0xF800, {0xCC, 0xBB}},
        {24, 0xFF0000, {0xCC, 0xBB, 0xAA}},
        {32, 0xFF0000, {0xCC, 0xBB, 0xAA, 0xDD}},
    };
    for (const auto &r : rows) {
        SDL_Surface *s = SDL_CreateRGBSurface(SDL_SWSURFACE, 5, 4, r.bpp, r.rmask, 0, 0, 0);
        size_t size = size_t(s->pitch) * s->h;
        std::vector<Uint8> want(size, 0x5A);
        memset(s->pixels, 0x5A, size);
        putpixel(s, 3, 2, value);
        memcpy(&want[2 * s->pitch + 3 * r.bytes.size()], r.bytes.data(), r.bytes.size());
        EXPECT_EQ(memcmp(s->pixels, want.data(), size), 0) << r.bpp << " bits per pixel";
        SDL_FreeSurface(s);
    }
}

// Shapes: pixels each primitive must light (in the colour given, red over
// blue) and pixels just outside it that must stay dark.
TEST_F(Draw, EachKindAndStyleDrawsItsShape)
{
    const struct {
        const char *call;
        int on[2][2], off[3][2];
    } rows[] = {
        {"draw(10, 10, 50, 10, 255, 64, 0, 255, 0, 0",
         {{10, 10}, {50, 10}},
         {{30, 11}, {51, 10}, {9, 10}}},
        {"draw(10, 10, 50, 50, 255, 64, 0, 255, 0, 1",
         {{30, 30}, {50, 50}},
         {{30, 20}, {20, 30}, {60, 60}}},
        {"draw(10, 10, 50, 40, 255, 64, 0, 255, 1, 0",
         {{10, 25}, {30, 40}},
         {{30, 25}, {9, 25}, {51, 25}}},
        {"draw(10, 10, 50, 40, 255, 64, 0, 255, 1.9, 2.5",
         {{30, 25}, {50, 40}},
         {{51, 25}, {30, 41}, {9, 9}}},
        {"draw(100, 80, 25, 999, 255, 64, 0, 255, 2, 0",
         {{125, 80}, {100, 55}},
         {{100, 80}, {126, 80}, {100, 106}}},
        {"draw(100, 80, 25, -7, 255, 64, 0, 255, 2, 1",
         {{125, 80}, {75, 80}},
         {{100, 80}, {127, 80}, {100, 107}}},
        {"draw(100, 80, 25, 0, 255, 64, 0, 255, 2, 2",
         {{100, 80}, {124, 80}},
         {{126, 80}, {100, 106}, {130, 110}}},
        {"draw(10, 10, 50, 10, 255, 64, 0, 255, -0.5, 0",
         {{10, 10}, {30, 10}},
         {{30, 11}, {51, 10}, {30, 9}}},
        {"draw(32768, 10, 50, 40, 255, 64, 0, 255, 1, 2",
         {{0, 25}, {50, 25}},
         {{51, 25}, {0, 41}, {0, 9}}},
        {"drawTri(10, 10, 60, 10, 10, 60, 255, 64, 0, 255, 0",
         {{30, 10}, {10, 30}},
         {{20, 20}, {50, 50}, {30, 9}}},
        {"drawTri(10, 10, 60, 10, 10, 60, 255, 64, 0, 255, 1",
         {{30, 10}, {35, 35}},
         {{20, 20}, {50, 50}, {30, 8}}},
        {"drawTri(10, 10, 60, 10, 10, 60, 255, 64, 0, 255, 2.7",
         {{20, 20}, {30, 10}},
         {{50, 50}, {30, 9}, {9, 30}}},
    };
    for (const auto &r : rows) {
        run(L, std::string("Z.fill(0, 0, 0, 0, 0, 0, 0, 255) Z.") + r.call + ")");
        for (const auto &p : r.on) {
            uint32_t c = rgb(gScreen, p[0], p[1]);
            EXPECT_TRUE(c >> 16 > (c & 0xFF) && c >> 16 >= 2 * (c >> 8 & 0xFF))
                << r.call << " at " << p[0] << "," << p[1] << ": " << std::hex << c;
        }
        for (const auto &p : r.off)
            EXPECT_EQ(rgb(gScreen, p[0], p[1]), 0u) << r.call << " at " << p[0] << "," << p[1];
    }
    // Exactly the colour asked for; alpha blends; a surface target.
    run(L, "Z.fill(0, 0, 0, 0, 0, 0, 0, 255) Z.draw(10, 10, 20, 20, 256, -1, 300.7, 255, 1, 2)"
           "Z.draw(100, 80, 25, 0, 255, 0, 0, 128, 2, 2) Z.draw(60, 60, 9, 0, 1, 2, 3, 255, 2, 0)");
    EXPECT_EQ(rgb(gScreen, 15, 15), 0x00FF2Cu);
    EXPECT_EQ(rgb(gScreen, 69, 60), 0x010203u);
    EXPECT_NEAR(int(rgb(gScreen, 100, 80) >> 16), 128, 8);
    expect_rect("Z.draw(1, 1, 3, 2, 255, 255, 255, 255, 1, 2, S)", 1, 1, 4, 3);
    expect_rect("Z.drawTri(0, 0, 6, 0, 0, 4, 255, 255, 255, 255, 2, S) Z.fill(0, 0, 0, 0, 0, 0, 0, "
                "255, S) Z.fill(0, 0, 1, 1, 255, 255, 255, 255, S)",
                0, 0, 1, 1);
    // Codes that select no primitive draw nothing: whole 32-bit values.
    for (const char *codes : {"1, 1", "0, 2", "3, 0", "-1, 0", "2, 3", "0, -1", "65536 + 1, 2"})
        expect_rect(std::string("Z.draw(10, 10, 50, 40, 255, 255, 255, 255, ") + codes + ")", 0, 0,
                    0, 0);
    for (const char *style : {"3", "-1", "256"})
        expect_rect(std::string("Z.drawTri(10, 10, 60, 10, 10, 60, 255, 255, 255, 255, ") + style +
                        ")",
                    0, 0, 0, 0);
}

// Image files made by ImageMagick: 32 by 16 on a background, one red pixel at 5, 3.
TEST_F(Draw, LoadsPngAndBmpWithTheirPixels)
{
    for (const char *file : {"opaque.png", "opaque.bmp", "clear.png"}) {
        std::string path = scratch(file);
        bool clear = file[0] == 'c', bmp = path.find(".bmp") != std::string::npos;
        std::string cmd = std::string("convert -size 32x16 xc:") + (clear ? "none" : "'#102030'") +
                          " -fill '#ff0000' -draw 'point 5,3' " +
                          (bmp ? "-type truecolor BMP3:" : "PNG32:") + path;
        ASSERT_EQ(system(cmd.c_str()), 0) << cmd;
        ASSERT_EQ(run(L, "return Z.loadImage('" + path + "')"), 3);
        auto *s = static_cast<SDL_Surface *>(lua_touserdata(L, -3));
        EXPECT_EQ(num(-2) * 100 + num(-1), 3216) << file;
        EXPECT_EQ(s->w * 100 + s->h, 3216) << file;
        EXPECT_EQ(argb(s, 5, 3), 0xFFFF0000u) << file;
        EXPECT_EQ(argb(s, 6, 3), clear ? 0u : 0xFF102030u) << file;
        EXPECT_EQ(argb(s, 31, 15), clear ? 0u : 0xFF102030u) << file;
        lua_settop(L, 0);
    }
}
