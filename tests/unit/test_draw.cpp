// Surfaces and drawing, read back from the pixel buffers.
#include "harness.h"

// Each row clears the 200 by 150 display and the 5 by 7 surface S, makes its call (C:
// opaque white) and names the only white rectangle of its target (S when the
// call ends with it, or S follows); the other surface stays black.
TEST_F(Engine, FillPutpixAndBlitPlaceTheirPixels)
{
    run(R"~(Z.init(200, 150) S = Z.makeSurf(5, 7)
        W = Z.makeSurf(6, 6) Z.fill(0, 0, 0, 0, 255, 255, 255, 255, W)
        B = Z.makeSurf(300, 300) Z.fill(0, 0, 0, 0, 255, 255, 255, 255, B)
        for _, r in ipairs{
            {"fill(3.9, 4.9, 10.9, 2.5, C)", 3, 4, 13, 6}, {"fill(-3.9, -2.5, 5, 5, C)", 0, 0, 2, 3},
            {"fill(5, 5, -1, 3, C)", 5, 5, 200, 8}, {"fill(3, 3, 2, 65537, C)", 3, 3, 5, 4},
            {"fill(65536 + 4, 2, 1, 1, C)", 4, 2, 5, 3}, {"fill(10, 10, 0, 5, C)", 0, 0, 200, 150},
            {"fill(10, 10, 5, 0, C, S)", 0, 0, 5, 7}, {"fill(1, 1, 2, 1, C, S)", 1, 1, 3, 2},
            {"fill(3, 5, 9, 9, C, S)", 3, 5, 5, 7}, {"fill(-3, -2, 5, 4, C, S)", 0, 0, 2, 2},
            {"fill(0, 0, 0, 0, C, nil)", 0, 0, 200, 150}, {"putpix(2.9, 3.9, C, S)", 2, 3, 3, 4},
            {"putpix(65536 + 4, -65536 + 6, C, S)", 4, 6, 5, 7}, {"putpix(0/0, 2, C, S)", 0, 2, 1, 3},
            {"putpix(199, 149, C)", 199, 149, 200, 150},
            {"putpix(-1, 0, C, S) Z.putpix(0, -1, C, S) Z.putpix(5, 0, C, S) Z.putpix(0, 7, C, S)" ..
             "Z.putpix(5, 7, C, S) Z.putpix(65535, 65535, C, S) Z.putpix(1e10, 1, C, S)", 0, 0, 0, 0, S},
            {"blit(W, 3.9, 4.9)", 3, 4, 9, 10}, {"blit(W, -3.9, -4.9)", 0, 0, 3, 2},
            {"blit(W, 196, 147, nil)", 196, 147, 200, 150}, {"blit(W, 65536 + 10, 5)", 10, 5, 16, 11},
            {"blit(B, 0, 0)", 0, 0, 200, 150}, {"blit(W, 2, 1, S)", 2, 1, 5, 7},
            {"blit(W, -3, -4, S)", 0, 0, 3, 2}, {"fill(-1, -1, 99, 99, C, S)", 0, 0, 5, 7},
            {"blit(nil, 1, 1) Z.blit()", 0, 0, 0, 0}, {"draw(1, 1, 3, 2, C, 1, 2, S)", 1, 1, 4, 3},
        } do
            Z.fill(0, 0, 0, 0, 0, 0, 0, 255) Z.fill(0, 0, 0, 0, 0, 0, 0, 255, S)
            call((r[1]:gsub("C", "255, 255, 255, 255")))
            local target, other = nil, S
            if r[6] or r[1]:find("S%)$") then target, other = S, nil end
            local ok, why = only(r[2], r[3], r[4], r[5], 0xFFFFFF, 0, target)
            assert(ok and only(0, 0, 0, 0, 0, 0, other), r[1] .. ": " .. tostring(why))
        end
        -- Channels keep their low 8 bits; alpha is stored; a half-transparent
        -- sprite over black comes out at about half strength.
        Z.fill(0, 0, 0, 0, 256, -1, 300.7, 255) Z.putpix(1, 1, -255.5, 511, 44, 0)
        Z.fill(0, 0, 0, 0, 10, 20, 30, 128, S) Z.fill(2, 2, 1, 1, 1, 2, 3, 4, S)
        Z.putpix(4, 5, 9, 8, 7, 200, S)
        assert(px(9, 9) == 0x00FF2C and px(1, 1) == 0x01FF2C)
        assert(pa(0, 0, S) == 0x800A141E and pa(2, 2, S) == 0x04010203 and pa(4, 5, S) == 0xC8090807)
        Z.fill(0, 0, 0, 0, 0, 0, 0, 255) Z.fill(0, 0, 0, 0, 255, 64, 0, 128, S) Z.blit(S, 0, 0)
        assert(math.abs(px(0, 0) - 0x802000) <= 0x080800, px(0, 0))
        -- Sizes truncate; an empty surface takes everything and shows nothing.
        local m, w, h = Z.makeSurf(100.7, 50.2)
        E = Z.makeSurf(0, 0) Z.fill(0, 0, 0, 0, 1, 2, 3, 4, E) Z.putpix(0, 0, 1, 2, 3, 4, E)
        Z.draw(0, 0, 5, 5, 1, 1, 1, 255, 1, 2, E) Z.blit(E, 0, 0) Z.freeSurf(E)
        assert(w == 100 and h == 50 and select(2, pa(0, 0, m)) == 100))~");
    auto *s = static_cast<SDL_Surface *>(ptr("S"));
    EXPECT_TRUE(s->format->Amask && !s->locked);
}

TEST(Putpixel, StoresEachPixelWidth)
{
    for (int bytes = 1; bytes <= 4; bytes++) {
        SDL_Surface *s = SDL_CreateRGBSurface(0, 5, 4, bytes * 8, bytes > 1 ? 0xF800 : 0, 0, 0, 0);
        std::vector<Uint8> want(size_t(s->pitch) * s->h, 0x5A);
        memset(s->pixels, 0x5A, want.size());
        putpixel(s, 3, 2, 0xDDAABBCC);
        memcpy(&want[2 * s->pitch + 3 * bytes], "\xCC\xBB\xAA\xDD",
               bytes); // least significant first
        EXPECT_EQ(memcmp(s->pixels, want.data(), want.size()), 0) << bytes << " bytes per pixel";
        SDL_FreeSurface(s);
    }
}

// Shapes: pixels each primitive lights in the colour asked for (red over blue,
// green at most half of red, on blended edges too), and dark ones beside.
TEST_F(Engine, EachKindAndStyleDrawsItsShape)
{
    run(R"~(Z.init(200, 150)
        for _, r in ipairs{
            {"draw(10, 10, 50, 10, C, 0, 0)", {10, 10, 50, 10}, {30, 11, 51, 10, 9, 10}},
            {"draw(10, 10, 50, 50, C, 0, 1)", {30, 30, 50, 50}, {30, 20, 20, 30, 60, 60}},
            {"draw(10, 10, 50, 40, C, 1, 0)", {10, 25, 30, 40}, {30, 25, 9, 25, 51, 25}},
            {"draw(10, 10, 50, 40, C, 1.9, 2.5)", {30, 25, 50, 40}, {51, 25, 30, 41, 9, 9}},
            {"draw(100, 80, 25, 999, C, 2, 0)", {125, 80, 100, 55}, {100, 80, 126, 80, 100, 106}},
            {"draw(100, 80, 25, -7, C, 2, 1)", {125, 80, 75, 80}, {100, 80, 127, 80, 100, 107}},
            {"draw(100, 80, 25, 0, C, 2, 2)", {100, 80, 124, 80}, {126, 80, 100, 106, 130, 110}},
            {"draw(10, 10, 50, 10, C, -0.5, 0)", {10, 10, 30, 10}, {30, 11, 51, 10, 30, 9}},
            {"draw(32768, 10, 50, 40, C, 1, 2)", {0, 25, 50, 25}, {51, 25, 0, 41, 0, 9}},
            {"drawTri(10, 10, 60, 10, 10, 60, C, 0)", {30, 10, 10, 30}, {20, 20, 50, 50, 30, 9}},
            {"drawTri(10, 10, 60, 10, 10, 60, C, 1)", {30, 10, 35, 35}, {20, 20, 50, 50, 30, 8}},
            {"drawTri(10, 10, 60, 10, 10, 60, C, 2.7)", {20, 20, 30, 10}, {50, 50, 30, 9, 9, 30}},
        } do
            Z.fill(0, 0, 0, 0, 0, 0, 0, 255)
            call((r[1]:gsub("C", "255, 64, 0, 255")))
            for i = 1, 3, 2 do
                local p = px(r[2][i], r[2][i + 1])
                local red, green, blue = math.floor(p / 65536), math.floor(p / 256) % 256, p % 256
                assert(red > blue and red >= 2 * green, r[1] .. " at " .. r[2][i] .. ": " .. p)
            end
            for i = 1, 5, 2 do assert(px(r[3][i], r[3][i + 1]) == 0, r[1] .. " at " .. r[3][i]) end
        end
        -- The exact colour, blended by alpha; no primitive for other codes (whole
        -- 32-bit values); triangles onto a surface, not the display.
        Z.fill(0, 0, 0, 0, 0, 0, 0, 255) Z.draw(10, 10, 20, 20, 256, -1, 300.7, 255, 1, 2)
        Z.draw(60, 60, 9, 0, 1, 2, 3, 255, 2, 0) Z.draw(100, 80, 25, 0, 255, 0, 0, 128, 2, 2)
        assert(px(15, 15) == 0x00FF2C and px(69, 60) == 0x010203, px(69, 60))
        assert(math.abs(px(100, 80) / 65536 - 128) < 8)
        Z.fill(0, 0, 0, 0, 0, 0, 0, 255)
        for _, k in ipairs{{1, 1}, {0, 2}, {3, 0}, {-1, 0}, {2, 3}, {0, -1}, {65537, 2}} do
            Z.draw(10, 10, 50, 40, 255, 255, 255, 255, k[1], k[2])
        end
        for _, s in ipairs{3, -1, 256} do Z.drawTri(10, 10, 60, 10, 10, 60, 255, 255, 255, 255, s) end
        S = Z.makeSurf(7, 5) Z.fill(0, 0, 0, 0, 0, 0, 0, 255, S)
        Z.drawTri(0, 0, 6, 0, 0, 4, 255, 255, 255, 255, 2, S)
        assert(only(0, 0, 0, 0, 0, 0) and px(1, 1, S) == 0xFFFFFF)
        -- Image files: 32 by 16 on a background, one red pixel at 5, 3.
        for _, f in ipairs{{"a.png", "'#102030'", "PNG32:", 0xFF102030},
                           {"clear.png", "none", "PNG32:", 0}} do
            local path = TMP .. "/" .. f[1]
            os.execute("convert -size 32x16 xc:" .. f[2] .. " -fill red -draw 'point 5,3' " .. f[3] .. path)
            local s, w, h = Z.loadImage(path)
            assert(w == 32 and h == 16 and pa(5, 3, s) == 0xFFFF0000, f[1])
            assert(pa(6, 3, s) == f[4] and pa(31, 15, s) == f[4], f[1])
        end)~");
}
