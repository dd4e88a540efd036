// The module's own blit, fill and conversion loops against the SDL calls they
// stand in for: random inputs, run once through each, the same bytes, the
// same rectangle and the same surface fields out. Some inputs are outside
// what the loops take (other formats, colour keys), so a loop that takes too
// much fails too.
#include <cstdio>
#include <random>
#include <vector>

#include "fastpath.h"
#include "harness.h"

namespace
{

const int kCases = 10000;
const Uint32 kA = 0xFF000000, kR = 0xFF0000, kG = 0xFF00, kB = 0xFF;

class FastPathTest : public LuaTest
{
  protected:
    void SetUp() override
    {
        LuaTest::SetUp();
        run(L, "Z.init(100, 80)");
        font = TTF_OpenFont("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 11);
        ASSERT_TRUE(gScreen && font);
    }
    void TearDown() override
    {
        TTF_CloseFont(font);
        LuaTest::TearDown();
    }

    int rnd(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    // Mostly small sides, one case in eight up to past a cache line's worth.
    int side() { return rnd(1, rnd(0, 7) ? 12 : 70); }

    // Random bytes; the alpha byte uniform (0..255), random (-1) or mostly
    // 0 and 255 as in rendered text (-2).
    void scribble(SDL_Surface *s, int alpha)
    {
        const SDL_PixelFormat *f = s->format;
        auto *p = static_cast<Uint8 *>(s->pixels);
        for (int i = 0; i + 4 <= s->h * s->pitch; i += 4) {
            const Uint32 v = rng();
            memcpy(p + i, &v, 4);
        }
        if (f->BytesPerPixel != 4 || !f->Amask)
            return;
        for (int y = 0; y < s->h; y++) {
            auto *row = reinterpret_cast<Uint32 *>(p + y * s->pitch);
            for (int x = 0; x < s->w; x++) {
                Uint32 a = alpha >= 0                      ? alpha
                           : alpha == -1 || rnd(0, 3) == 0 ? rnd(0, 255)
                                                           : 255 * rnd(0, 1);
                row[x] = (row[x] & ~f->Amask) | (a << f->Ashift);
            }
        }
    }

    // A surface of a format and flags, w by h, with random pixels.
    SDL_Surface *make(Uint32 flags, int w, int h, int bpp, Uint32 r, Uint32 g, Uint32 b, Uint32 a,
                      int alpha = -1)
    {
        SDL_Surface *s = SDL_CreateRGBSurface(flags, w, h, bpp, r, g, b, a);
        scribble(s, alpha);
        return s;
    }
    // As makeSurf and loadImage hand them out: converted to the display's.
    SDL_Surface *handle(int w, int h, int alpha)
    {
        SDL_Surface *made = make(SDL_SWSURFACE, w, h, 32, kB, kG, kR, kA);
        SDL_Surface *s = SDL_DisplayFormatAlpha(made);
        SDL_FreeSurface(made);
        scribble(s, alpha);
        return s;
    }
    SDL_Surface *text()
    {
        char t[9] = {};
        for (int i = rnd(1, 8); i > 0; i--)
            t[i - 1] = char(rnd(33, 126));
        SDL_Color c = {Uint8(rnd(0, 255)), Uint8(rnd(0, 255)), Uint8(rnd(0, 255)), 0};
        return TTF_RenderUTF8_Blended(font, t, c);
    }

    std::mt19937 rng{19};
    TTF_Font *font = nullptr;
};

std::vector<Uint8> bytes(SDL_Surface *s)
{
    auto *p = static_cast<Uint8 *>(s->pixels);
    return std::vector<Uint8>(p, p + s->h * s->pitch);
}

void restore(SDL_Surface *s, const std::vector<Uint8> &v) { memcpy(s->pixels, v.data(), v.size()); }

std::string fields(const SDL_Surface *s)
{
    const SDL_PixelFormat *f = s->format;
    char buf[320];
    snprintf(buf, sizeof buf,
             "flags %x %dx%d pitch %d offset %d clip %d,%d %dx%d locked %d refs %d bpp %d/%d "
             "masks %x %x %x %x shifts %d %d %d %d losses %d %d %d %d key %x alpha %d pal %d",
             s->flags, s->w, s->h, s->pitch, s->offset, s->clip_rect.x, s->clip_rect.y,
             s->clip_rect.w, s->clip_rect.h, s->locked, s->refcount, f->BitsPerPixel,
             f->BytesPerPixel, f->Rmask, f->Gmask, f->Bmask, f->Amask, f->Rshift, f->Gshift,
             f->Bshift, f->Ashift, f->Rloss, f->Gloss, f->Bloss, f->Aloss, f->colorkey, f->alpha,
             f->palette != nullptr);
    return buf;
}

std::string rect(const SDL_Rect &r)
{
    return std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.w) + "x" +
           std::to_string(r.h);
}

} // namespace

TEST_F(FastPathTest, AlphaBlitMatchesSdl)
{
    for (int i = 0; i < kCases; i++) {
        const int w = side(), h = side(), mode = i % 3;
        const int alpha = mode == 0 ? i / 3 % 256 : -1 - mode % 2;
        // Sources: a handle, rendered text, then two SDL blends another way.
        SDL_Surface *src = nullptr;
        switch (i % 8) {
        case 6:
            src = make(SDL_SRCALPHA, w, h, 32, kB, kG, kR, kA, alpha);
            break;
        case 7:
            src = handle(w, h, alpha);
            SDL_SetColorKey(src, SDL_SRCCOLORKEY, *static_cast<Uint32 *>(src->pixels));
            break;
        default:
            src = i % 8 == 5 ? text() : handle(w, h, alpha);
        }
        // Targets: the display, a handle (also clipped), now and then a 16-bit surface.
        SDL_Surface *own = nullptr, *dst = gScreen;
        if (i % 4 == 1 || i % 4 == 2)
            dst = own = handle(side() + 20, side() + 10, -1);
        if (i % 4 == 2) {
            SDL_Rect c = {Sint16(rnd(-5, 10)), Sint16(rnd(-5, 10)), Uint16(rnd(0, 40)),
                          Uint16(rnd(0, 40))};
            SDL_SetClipRect(own, &c);
        }
        if (i % 16 == 3)
            dst = own = make(SDL_SWSURFACE, 40, 30, 16, 0xF800, 0x7E0, 0x1F, 0);
        if (i % 16 == 0) // otherwise what the cases before left
            scribble(gScreen, -1);
        const int x = rnd(-src->w - 3, dst->w + 2), y = rnd(-src->h - 3, dst->h + 2);
        SDL_Rect want = {Sint16(x), Sint16(y), Uint16(src->w), Uint16(src->h)}, got = want;
        const std::vector<Uint8> before = bytes(dst);
        const int want_status = SDL_UpperBlit(src, nullptr, dst, &want);
        const std::vector<Uint8> want_pixels = bytes(dst);
        restore(dst, before);
        const int got_status = fast_blit(src, nullptr, dst, &got);
        const std::string what = "case " + std::to_string(i) + ": " + fields(src) + " onto " +
                                 fields(dst) + " at " + std::to_string(x) + "," + std::to_string(y);
        ASSERT_TRUE(bytes(dst) == want_pixels) << what;
        ASSERT_EQ(rect(want), rect(got)) << what;
        ASSERT_EQ(want_status, got_status) << what;
        SDL_FreeSurface(src);
        SDL_FreeSurface(own);
    }
}

TEST_F(FastPathTest, FillMatchesSdl)
{
    for (int i = 0; i < kCases; i++) {
        SDL_Surface *own = nullptr, *dst = gScreen;
        if (i % 4 == 1)
            dst = own = handle(side(), side(), -1);
        if (i % 4 == 2)
            dst = own = make(SDL_SWSURFACE, side(), side(), 24, kR, kG, kB, 0);
        if (i % 8 == 3) { // the display with a clip rectangle of its own
            SDL_Rect c = {Sint16(rnd(0, 50)), Sint16(rnd(0, 40)), Uint16(rnd(0, 60)),
                          Uint16(rnd(0, 50))};
            SDL_SetClipRect(dst, &c);
        }
        if (dst != gScreen || i % 16 == 0)
            scribble(dst, -1);
        SDL_Rect want = {Sint16(rnd(-80, dst->w + 2)), Sint16(rnd(-80, dst->h + 2)),
                         Uint16(rnd(0, 90)), Uint16(rnd(0, 90))},
                 got = want;
        const bool whole = i % 5 == 0;
        const Uint32 colour = Uint32(rng());
        const std::vector<Uint8> before = bytes(dst);
        const int want_status = SDL_FillRect(dst, whole ? nullptr : &want, colour);
        const std::vector<Uint8> want_pixels = bytes(dst);
        restore(dst, before);
        const int got_status = fast_fill(dst, whole ? nullptr : &got, colour);
        const std::string what = "case " + std::to_string(i) + ": " + fields(dst) + " rect " +
                                 rect(want) + (whole ? " (whole)" : "");
        ASSERT_TRUE(bytes(dst) == want_pixels) << what;
        ASSERT_EQ(rect(want), rect(got)) << what;
        ASSERT_EQ(want_status, got_status) << what;
        SDL_SetClipRect(gScreen, nullptr);
        SDL_FreeSurface(own);
    }
}

TEST_F(FastPathTest, DisplayFormatConversionMatchesSdl)
{
    // Source layouts: as makeSurf, loadImage (RGBA file) and printFont make
    // them, other byte orders with and without alpha, then formats and flags
    // that SDL converts another way.
    const Uint32 layouts[][4] = {{kR, kG, kB, kA},     {kB, kG, kR, kA}, {kA, kR, kG, kB},
                                 {0xFF00, kR, kA, kB}, {kB, kR, kG, 0},  {kG, kA, kB, 0}};
    for (int i = 0; i < kCases; i++) {
        const int w = side(), h = side(), kind = i % 10;
        const Uint32 *m = layouts[i % 6];
        SDL_Surface *src = nullptr;
        if (kind == 0)
            src = make(SDL_SRCALPHA | SDL_HWSURFACE, w, h, 32, 0, 0, 0, 0xFF);
        else if (kind == 1)
            src = text();
        else if (kind == 2)
            src = make(SDL_SWSURFACE, w, h, 24, kR, kG, kB, 0);
        else
            src = make(kind == 3 ? SDL_SRCALPHA : SDL_SWSURFACE, w, h, 32, m[0], m[1], m[2], m[3]);
        if (kind == 4)
            SDL_SetColorKey(src, SDL_SRCCOLORKEY, *static_cast<Uint32 *>(src->pixels));
        if (kind == 5)
            SDL_SetAlpha(src, SDL_SRCALPHA, Uint8(rnd(0, 255)));
        if (kind == 6) {
            SDL_Rect c = {Sint16(rnd(0, 5)), Sint16(rnd(0, 5)), Uint16(rnd(0, 9)),
                          Uint16(rnd(0, 9))};
            SDL_SetClipRect(src, &c);
        }
        SDL_Surface *want = SDL_DisplayFormatAlpha(src);
        SDL_Surface *got = fast_display_alpha(src);
        const std::string what = "case " + std::to_string(i) + ": " + fields(src);
        ASSERT_TRUE(want && got) << what;
        ASSERT_EQ(fields(want), fields(got)) << what;
        ASSERT_TRUE(bytes(want) == bytes(got)) << what;
        SDL_FreeSurface(want);
        SDL_FreeSurface(got);
        SDL_FreeSurface(src);
    }
}
