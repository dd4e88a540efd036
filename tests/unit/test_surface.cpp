// Surface handles, fills and pixel writes, read back from the pixel buffers.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "harness.h"
#include "surface.h"

// Every pixel of s is `in` inside [x0, x1) x [y0, y1) and `out` elsewhere.
static ::testing::AssertionResult only_rect(SDL_Surface *s, int x0, int y0, int x1, int y1,
                                            uint32_t in, uint32_t out)
{
    for (int y = 0; y < s->h; y++)
        for (int x = 0; x < s->w; x++) {
            bool inside = x >= x0 && x < x1 && y >= y0 && y < y1;
            uint32_t got = pixel_rgb(s, x, y);
            if (got != (inside ? in : out))
                return ::testing::AssertionFailure()
                       << "pixel " << x << "," << y << " is " << std::hex << got;
        }
    return ::testing::AssertionSuccess();
}

class SurfaceTest : public LuaTest
{
  protected:
    void SetUp() override
    {
        LuaTest::SetUp();
        run(L, "Z.init(40, 30)");
        ASSERT_NE(gScreen, nullptr);
    }
    SDL_Surface *global(const char *name) { return global_surface(L, name); }
};

TEST_F(SurfaceTest, MakeSurfTruncatesAndGivesAnAlphaSurface)
{
    ASSERT_EQ(run(L, "return Z.makeSurf(100.7, 50.2)"), 3);
    auto *s = static_cast<SDL_Surface *>(lua_touserdata(L, -3));
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(num(-2), 100);
    EXPECT_EQ(num(-1), 50);
    EXPECT_EQ(s->w, 100);
    EXPECT_EQ(s->h, 50);
    EXPECT_EQ(s->format->BytesPerPixel, 4);
    EXPECT_NE(s->format->Amask, 0u);
    run(L, "Z.freeSurf(...)");
    lua_settop(L, 0);
    // An empty surface is a valid handle that nothing draws on.
    run(L, "E = Z.makeSurf(0, 0); Z.fill(0, 0, 0, 0, 1, 2, 3, 4, E);"
           "Z.putpix(0, 0, 1, 2, 3, 4, E); Z.draw(0, 0, 5, 5, 1, 1, 1, 255, 1, 2, E);"
           "Z.blit(E, 0, 0); Z.freeSurf(E); Z.freeSurf(nil)");
}

TEST_F(SurfaceTest, FillCutsItsRectangleTo16Bits)
{
    struct {
        const char *rect;
        int x0, y0, x1, y1;
    } rows[] = {
        {"3.9, 4.9, 10.9, 2.5", 3, 4, 13, 6},
        {"-3.9, -2.5, 5, 5", 0, 0, 2, 3},
        {"5, 5, -1, 3", 5, 5, 40, 8},   // -1 is 65535, clipped
        {"3, 3, 2, 65537", 3, 3, 5, 4}, // 65537 keeps its low 16 bits: 1
        {"10, 10, 0, 5", 0, 0, 40, 30}, // a zero size fills everything
        {"10, 10, 5, 0", 0, 0, 40, 30},
        {"7, 7, 65536, 3", 0, 0, 40, 30},
        {"", 0, 0, 40, 30},
    };
    for (const auto &r : rows) {
        run(L, "Z.fill(0, 0, 0, 0, 0, 0, 0, 255)");
        run(L, std::string("local x, y, w, h = ") + (*r.rect ? r.rect : "nil") +
                   "; Z.fill(x, y, w, h, 255, 255, 255, 255)");
        EXPECT_TRUE(only_rect(gScreen, r.x0, r.y0, r.x1, r.y1, 0xFFFFFF, 0)) << r.rect;
    }
}

TEST_F(SurfaceTest, ChannelsKeepTheirLow8Bits)
{
    run(L, "Z.fill(0, 0, 0, 0, 256, -1, 300.7, 255)");
    EXPECT_EQ(pixel_rgb(gScreen, 39, 29), 0x00FF2Cu);
    run(L, "Z.putpix(1, 1, -255.5, 511, 44, 0)");
    EXPECT_EQ(pixel_rgb(gScreen, 1, 1), 0x01FF2Cu);
}

TEST_F(SurfaceTest, FillAndPutpixHonourTheTargetAndItsAlpha)
{
    run(L, "Z.fill(0, 0, 0, 0, 0, 0, 0, 255)");
    run(L, "S = Z.makeSurf(8, 6); Z.fill(0, 0, 0, 0, 10, 20, 30, 128, S);"
           "Z.fill(2, 2, 1, 1, 1, 2, 3, 4, S); Z.putpix(5, 4, 9, 8, 7, 200, S)");
    SDL_Surface *s = global("S");
    EXPECT_EQ(pixel_argb(s, 0, 0), 0x800A141Eu);
    EXPECT_EQ(pixel_argb(s, 7, 5), 0x800A141Eu);
    EXPECT_EQ(pixel_argb(s, 2, 2), 0x04010203u);
    EXPECT_EQ(pixel_argb(s, 5, 4), 0xC8090807u);
    EXPECT_TRUE(only_rect(gScreen, 0, 0, 0, 0, 0, 0)); // the display untouched
}

TEST_F(SurfaceTest, PutpixTruncatesAndDropsPositionsOutsideTheTarget)
{
    run(L, "S = Z.makeSurf(7, 5); Z.fill(0, 0, 0, 0, 0, 0, 0, 255, S)");
    SDL_Surface *s = global("S");
    struct {
        const char *pos;
        int x, y; // -1: nothing written
    } rows[] = {
        {"2.9, 3.9", 2, 3},       {"65536 + 4, -65536 + 1", 4, 1},
        {"-1, 0", -1, -1},        {"0, -1", -1, -1},
        {"7, 0", -1, -1},         {"0, 5", -1, -1},
        {"65535, 65535", -1, -1}, {"-32768, 2", -1, -1},
        {"1e10, 2", -1, -1},      {"0/0, 2", 0, 2}, // NaN reads as 0
    };
    for (const auto &r : rows) {
        run(L, "Z.fill(0, 0, 0, 0, 0, 0, 0, 255, S)");
        run(L, std::string("Z.putpix(") + r.pos + ", 255, 255, 255, 255, S)");
        if (r.x < 0)
            EXPECT_TRUE(only_rect(s, 0, 0, 0, 0, 0, 0)) << r.pos;
        else
            EXPECT_TRUE(only_rect(s, r.x, r.y, r.x + 1, r.y + 1, 0xFFFFFF, 0)) << r.pos;
    }
    // With no target the display gets the pixel.
    run(L, "Z.fill(0, 0, 0, 0, 0, 0, 0, 255); Z.putpix(39, 29, 255, 255, 255, 255)");
    EXPECT_TRUE(only_rect(gScreen, 39, 29, 40, 30, 0xFFFFFF, 0));
    EXPECT_EQ(s->locked, 0u);
}

TEST(Putpixel, StoresEachPixelWidth)
{
    struct {
        int bpp;
        Uint32 rmask, gmask, bmask, amask;
        std::vector<Uint8> bytes; // what lands at the pixel's address
    } rows[] = {
        {8, 0, 0, 0, 0, {0xCC}},
        {16, 0xF800, 0x07E0, 0x001F, 0, {}},
        {24, 0xFF0000, 0x00FF00, 0x0000FF, 0, {0xCC, 0xBB, 0xAA}},
        {32, 0xFF0000, 0x00FF00, 0x0000FF, 0xFF000000, {}},
    };
    const Uint32 value = 0xDDAABBCC;
    const Uint16 word = 0xBBCC;
    rows[1].bytes.assign(reinterpret_cast<const Uint8 *>(&word),
                         reinterpret_cast<const Uint8 *>(&word) + 2);
    rows[3].bytes.assign(reinterpret_cast<const Uint8 *>(&value),
                         reinterpret_cast<const Uint8 *>(&value) + 4);
    for (const auto &r : rows) {
        SDL_Surface *s =
            SDL_CreateRGBSurface(SDL_SWSURFACE, 5, 4, r.bpp, r.rmask, r.gmask, r.bmask, r.amask);
        ASSERT_NE(s, nullptr);
        ASSERT_EQ(s->format->BytesPerPixel, r.bytes.size());
        size_t size = size_t(s->pitch) * s->h;
        std::vector<Uint8> want(size, 0x5A);
        memset(s->pixels, 0x5A, size);
        putpixel(s, 3, 2, value);
        memcpy(&want[2 * s->pitch + 3 * r.bytes.size()], r.bytes.data(), r.bytes.size());
        EXPECT_EQ(memcmp(s->pixels, want.data(), size), 0) << r.bpp << " bits per pixel";
        SDL_FreeSurface(s);
    }
}

TEST_F(SurfaceTest, BlitCopiesTheWholeSourceAtTheTruncatedPosition)
{
    run(L, "S = Z.makeSurf(6, 6); Z.fill(0, 0, 0, 0, 255, 0, 0, 255, S)");
    struct {
        const char *call;
        int x0, y0, x1, y1;
    } rows[] = {
        {"Z.blit(S, 3.9, 4.9)", 3, 4, 9, 10},
        {"Z.blit(S, -3.9, -4.9)", 0, 0, 3, 2}, // clipped to the target
        {"Z.blit(S, 36, 27, nil)", 36, 27, 40, 30},
        {"Z.blit(B, 0, 0)", 0, 0, 40, 30},           // larger than the display
        {"Z.blit(nil, 1, 1); Z.blit()", 0, 0, 0, 0}, // no source, nothing done
    };
    run(L, "B = Z.makeSurf(50, 50); Z.fill(0, 0, 0, 0, 255, 0, 0, 255, B)");
    for (const auto &r : rows) {
        run(L, "Z.fill(0, 0, 0, 0, 0, 0, 0, 255)");
        run(L, r.call);
        EXPECT_TRUE(only_rect(gScreen, r.x0, r.y0, r.x1, r.y1, 0xFF0000, 0)) << r.call;
    }
}

TEST_F(SurfaceTest, BlitOntoAHandleAndBlendsBySourceAlpha)
{
    run(L, "Z.fill(0, 0, 0, 0, 0, 0, 0, 255)");
    run(L, "S = Z.makeSurf(2, 2); Z.fill(0, 0, 0, 0, 255, 0, 0, 255, S);"
           "T = Z.makeSurf(5, 5); Z.fill(0, 0, 0, 0, 0, 0, 255, 255, T);"
           "Z.blit(S, 1, 1, T)");
    EXPECT_TRUE(only_rect(global("T"), 1, 1, 3, 3, 0xFF0000, 0x0000FF));
    EXPECT_TRUE(only_rect(gScreen, 0, 0, 0, 0, 0, 0));
    // A half-transparent sprite over black comes out at about half strength.
    run(L, "Z.fill(0, 0, 0, 0, 255, 255, 255, 128, S); Z.blit(S, 0, 0)");
    uint32_t red = pixel_rgb(gScreen, 0, 0) >> 16;
    EXPECT_GE(red, 120u);
    EXPECT_LE(red, 136u);
}

// Image files made here, in a scratch directory, by ImageMagick.
class ImageTest : public ScratchTest
{
  protected:
    void SetUp() override
    {
        ScratchTest::SetUp();
        run(L, "Z.init(40, 30)");
    }
    // Makes a 32 by 16 image on `background` with one red pixel at 5, 3.
    std::string make(const std::string &background, const std::string &file)
    {
        std::string path = dir + "/" + file;
        bool bmp = file.find(".bmp") != std::string::npos;
        std::string cmd = "convert -size 32x16 xc:'" + background +
                          "' -fill '#ff0000' -draw 'point 5,3' " +
                          (bmp ? "-type truecolor BMP3:" : "PNG32:") + path;
        EXPECT_EQ(system(cmd.c_str()), 0) << cmd;
        return path;
    }
};

TEST_F(ImageTest, LoadsPngAndBmpWithSizeAndPixels)
{
    for (const char *file : {"opaque.png", "opaque.bmp"}) {
        std::string path = make("#102030", file);
        ASSERT_EQ(run(L, "return Z.loadImage('" + path + "')"), 3);
        auto *s = static_cast<SDL_Surface *>(lua_touserdata(L, -3));
        ASSERT_NE(s, nullptr) << file;
        EXPECT_EQ(num(-2), 32);
        EXPECT_EQ(num(-1), 16);
        EXPECT_EQ(s->format->BytesPerPixel, 4);
        EXPECT_EQ(pixel_argb(s, 5, 3), 0xFFFF0000u) << file;
        EXPECT_EQ(pixel_argb(s, 6, 3), 0xFF102030u) << file;
        EXPECT_EQ(pixel_argb(s, 31, 15), 0xFF102030u) << file;
        lua_settop(L, 0);
    }
    // Transparency survives the conversion.
    std::string path = make("none", "clear.png");
    run(L, "I = Z.loadImage('" + path + "')");
    SDL_Surface *s = global_surface(L, "I");
    EXPECT_EQ(pixel_argb(s, 5, 3), 0xFFFF0000u);
    EXPECT_EQ(pixel_argb(s, 0, 0) >> 24, 0u);
}

TEST_F(ImageTest, ConversionWithoutADisplayIsAFatalLoadLine)
{
    std::string path = make("#102030", "early.png");
    run(L, "Z.quit()");
    EXPECT_FATAL_LINE(L, "Z.loadImage('" + path + "')",
                      "Couldn't load image " + path + "\\. Exiting\\.\n");
    EXPECT_FATAL_LINE(L, "Z.makeSurf(4, 4)", "Couldn't create surface\\. Exiting\\.\n");
}
