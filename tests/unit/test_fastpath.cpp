// The module's own blit, fill and conversion loops against the SDL calls they
// stand in for: random inputs through both, the same bytes, rectangle and
// surface fields out. Some inputs are outside what the loops take (other
// formats, alpha off, shared sources), so a loop that takes too much fails.
#include <dlfcn.h>
#include <random>

#include "fastpath.h"
#include "harness.h"

// SDL's blit, fill and conversion as the module's objects linked into this
// program reach them: counted, then passed on to SDL.
static int sdl_calls[3];
#define COUNTED(type, name, k, params, ...)                                                        \
    extern "C" type name params                                                                    \
    {                                                                                              \
        return sdl_calls[k]++,                                                                     \
               reinterpret_cast<decltype(&name)>(dlsym(RTLD_NEXT, #name))(__VA_ARGS__);            \
    }
COUNTED(int, SDL_UpperBlit, 0, (SDL_Surface * s, SDL_Rect *sr, SDL_Surface *d, SDL_Rect *dr), s, sr,
        d, dr)
COUNTED(int, SDL_FillRect, 1, (SDL_Surface * d, SDL_Rect *r, Uint32 c), d, r, c)
COUNTED(SDL_Surface *, SDL_DisplayFormatAlpha, 2, (SDL_Surface * s), s)

namespace
{

const int kCases = 10000;
const Uint32 kA = 0xFF000000, kR = 0xFF0000, kG = 0xFF00, kB = 0xFF;

std::vector<Uint8> bytes(SDL_Surface *s)
{
    return std::vector<Uint8>(static_cast<Uint8 *>(s->pixels),
                              static_cast<Uint8 *>(s->pixels) + s->h * s->pitch);
}

// What a surface is beside its pixels (shifts and losses follow the masks).
std::string fields(const SDL_Surface *s)
{
    const SDL_PixelFormat *f = s->format;
    const SDL_Rect &c = s->clip_rect;
    return testing::PrintToString(std::vector<long>{
        s->flags, s->w, s->h, s->pitch, s->offset, c.x, c.y, c.w, c.h, s->locked, s->refcount,
        f->BitsPerPixel, f->Rmask, f->Gmask, f->Bmask, f->Amask, f->colorkey, f->alpha});
}

// Runs the SDL call and the module's on the same target bytes and rectangle
// (or none); pixels, rectangle and status must agree.
template <typename Sdl, typename Own>
void expect_same(SDL_Surface *dst, SDL_Rect r, bool whole, Sdl sdl, Own own,
                 const std::string &what)
{
    SDL_Rect want = r, got = r;
    const std::vector<Uint8> before = bytes(dst);
    const int want_status = sdl(whole ? nullptr : &want);
    const std::vector<Uint8> want_pixels = bytes(dst);
    memcpy(dst->pixels, before.data(), before.size());
    const int got_status = own(whole ? nullptr : &got);
    EXPECT_TRUE(bytes(dst) == want_pixels) << what;
    EXPECT_EQ(0, memcmp(&want, &got, sizeof want)) << what << " from " << r.x << "," << r.y;
    EXPECT_EQ(want_status, got_status) << what;
}

class FastPathTest : public Engine
{
  protected:
    void SetUp() override
    {
        Engine::SetUp();
        run("Z.init(100, 80)");
        font = TTF_OpenFont("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 11);
        ASSERT_TRUE(gScreen && font);
    }
    void TearDown() override { TTF_CloseFont(font), fast_wide = wide, Engine::TearDown(); }

    int rnd(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    int side() { return rnd(1, rnd(0, 7) ? 12 : 70); } // one in 8 past a cache line's worth
    SDL_Rect box(int lo, int hi, int most)
    {
        return {Sint16(rnd(lo, hi)), Sint16(rnd(lo, hi)), Uint16(rnd(0, most)),
                Uint16(rnd(0, most))};
    }

    // Random bytes; the alpha byte uniform (0..255), random (-1) or mostly 0
    // and 255, as in rendered text (-2).
    void scribble(SDL_Surface *s, int alpha)
    {
        const Uint32 am = s->format->Amask; // rows are whole words
        for (int i = 0; i < s->h * s->pitch / 4; i++) {
            Uint32 a = alpha >= 0 ? alpha : -rnd(0, 1);
            a = alpha == -1 || (alpha == -2 && rng() % 4 == 0) ? rng() : a;
            static_cast<Uint32 *>(s->pixels)[i] = (rng() & ~am) | ((a << s->format->Ashift) & am);
        }
    }
    SDL_Surface *make(Uint32 flags, int w, int h, int bpp, Uint32 r, Uint32 g, Uint32 b, Uint32 a,
                      int alpha = -1)
    {
        SDL_Surface *s = SDL_CreateRGBSurface(flags, w, h, bpp, r, g, b, a);
        return scribble(s, alpha), s;
    }
    // As makeSurf and loadImage hand them out: converted to the display's.
    SDL_Surface *handle(int w, int h, int alpha)
    {
        SDL_Surface *made = make(SDL_SWSURFACE, w, h, 32, kB, kG, kR, kA);
        SDL_Surface *s = SDL_DisplayFormatAlpha(made);
        return SDL_FreeSurface(made), scribble(s, alpha), s;
    }
    SDL_Surface *text() // one to eight printable characters in a random colour
    {
        const std::string t = std::to_string(rng()).substr(rnd(0, 7)) + char(rnd(33, 126));
        return TTF_RenderUTF8_Blended(font, t.c_str(),
                                      {Uint8(rng()), Uint8(rng()), Uint8(rng()), 0});
    }

    std::mt19937 rng{19};
    TTF_Font *font = nullptr;
    const bool wide = fast_wide; // even cases run the narrower loops
};

} // namespace

TEST_F(FastPathTest, AlphaBlitAndFillMatchSdl)
{
    for (int i = 0; i < kCases && !HasFailure(); i++) {
        fast_wide = wide && i % 2;
        // Sources: handles with every alpha, rendered text, then two that
        // SDL blends another way (other byte order, colour key).
        const int w = side(), h = side(), alpha = i % 3 == 0 ? i / 3 % 256 : -1 - i % 3 % 2;
        SDL_Surface *src = i % 8 == 5   ? text()
                           : i % 8 == 6 ? make(SDL_SRCALPHA, w, h, 32, kB, kG, kR, kA, alpha)
                                        : handle(w, h, alpha);
        if (i % 8 == 7)
            SDL_SetColorKey(src, SDL_SRCCOLORKEY, *static_cast<Uint32 *>(src->pixels));
        // Targets: the display, a handle, either clipped, a 24-bit surface.
        const int t = i / 8 % 8;
        SDL_Surface *own = t == 7   ? make(SDL_SWSURFACE, side(), side(), 24, kR, kG, kB, 0)
                           : t >= 3 ? handle(side() + 20, side() + 10, -1)
                                    : nullptr;
        SDL_Surface *dst = own ? own : gScreen;
        const SDL_Rect clip = box(-5, 30, 50);
        SDL_SetClipRect(dst, t == 2 || t == 5 || t == 6 ? &clip : nullptr);
        if (i % 16 == 0) // otherwise what the cases before left
            scribble(gScreen, -1);
        const std::string what = std::to_string(i) + ": " + fields(src) + " onto " + fields(dst);
        const int x = rnd(-src->w - 3, dst->w + 2), y = rnd(-src->h - 3, dst->h + 2);
        SDL_Rect part = box(-4, 12, 16), *sr = i % 4 < 2 ? &part : nullptr; // blitPart's
        expect_same(
            dst, {Sint16(x), Sint16(y), Uint16(src->w), Uint16(src->h)}, false,
            [&](SDL_Rect *r) { return SDL_UpperBlit(src, sr, dst, r); },
            [&](SDL_Rect *r) { return fast_blit(src, sr, dst, r); }, "blit " + what);
        const Uint32 colour = rng();
        expect_same(
            dst, box(-80, 90, 90), i % 5 == 0,
            [&](SDL_Rect *r) { return SDL_FillRect(dst, r, colour); },
            [&](SDL_Rect *r) { return fast_fill(dst, r, colour); }, "fill " + what);
        SDL_SetClipRect(gScreen, nullptr), SDL_FreeSurface(src), SDL_FreeSurface(own);
    }
}

TEST_F(FastPathTest, DisplayFormatConversionMatchesSdl)
{
    // Sources as makeSurf, printFont and loadImage (RGBA files) make them,
    // other byte orders with and without alpha, then flags, formats and
    // sharing that SDL converts another way.
    const Uint32 layouts[][4] = {{kR, kG, kB, kA},     {kB, kG, kR, kA}, {kA, kR, kG, kB},
                                 {0xFF00, kR, kA, kB}, {kB, kR, kG, 0},  {kG, kA, kB, 0}};
    for (int i = 0; i < kCases && !HasFailure(); i++) {
        fast_wide = wide && i % 2;
        const int w = side(), h = side(), kind = i % 10;
        const Uint32 *m = layouts[i / 10 % 6];
        SDL_Surface *src = kind == 0   ? make(SDL_SRCALPHA | SDL_HWSURFACE, w, h, 32, 0, 0, 0, kB)
                           : kind == 1 ? text()
                           : kind == 2 ? make(SDL_SWSURFACE, w, h, 24, kR, kG, kB, 0)
                                       : make(0, w, h, 32, m[0], m[1], m[2], m[3]);
        const SDL_Rect clip = box(0, 5, 9);
        if (kind == 3)
            SDL_SetClipRect(src, &clip);
        if (kind == 4)
            SDL_SetColorKey(src, SDL_SRCCOLORKEY, *static_cast<Uint32 *>(src->pixels));
        if (kind == 5) // per-surface alpha, or alpha blending off
            SDL_SetAlpha(src, i % 20 == 5 ? 0 : SDL_SRCALPHA, Uint8(rng()));
        if (kind == 6) // held elsewhere too
            src->refcount++;
        const std::string what = std::to_string(i) + ": " + fields(src);
        SDL_Surface *want = SDL_DisplayFormatAlpha(src);
        SDL_Surface *got = fast_display_alpha(src);
        SDL_FreeSurface(src); // as the module does: the source goes at once
        ASSERT_TRUE(want && got) << what;
        EXPECT_EQ(fields(want), fields(got)) << what;
        EXPECT_TRUE(bytes(want) == bytes(got)) << what;
        SDL_FreeSurface(want), SDL_FreeSurface(got), SDL_FreeSurface(kind == 6 ? src : nullptr);
    }
}

// Where a fast path's entry condition holds SDL's call is not reached; where
// it does not, it is. Each row: the calls, then how many reach each of the three.
TEST_F(FastPathTest, TakenWhereTheyApply)
{
    run(R"~(S, P, Q = Z.makeSurf(9, 9), TMP .. "/p.png", TMP .. "/q.png"
        os.execute("convert -size 3x2 xc:red PNG32:" .. P .. " && convert -size 3x2 xc:red PNG24:" .. Q))~");
    const std::pair<const char *, std::vector<int>> rows[] = {
        {"fill(1, 1, 5, 5, 1, 2, 3, 255) Z.fill(0, 0, 0, 0, 1, 2, 3, 4, S) Z.blit(S, 3, 4)",
         {0, 0, 0}},
        {"blit(S, -2, 70) Z.freeSurf(Z.makeSurf(4, 3)) Z.freeSurf(Z.loadImage(P))", {0, 0, 0}},
        {"blit(S, 1, 1, S) Z.freeSurf(Z.loadImage(Q))", {1, 0, 1}}, // onto itself; no alpha
    };
    for (const auto &[code, want] : rows) {
        sdl_calls[0] = sdl_calls[1] = sdl_calls[2] = 0;
        run(std::string("Z.") + code);
        EXPECT_EQ(std::vector<int>(sdl_calls, sdl_calls + 3), want) << code;
    }
}

// blitScaled and blitAlpha against their formula written plainly: each
// target pixel of the stretched rectangle takes the nearest source pixel,
// its alpha scaled by the opacity, and SDL blends and clips the result.
TEST_F(FastPathTest, StretchedFadedBlitFollowsItsFormula)
{
    for (int i = 0; i < kCases && !HasFailure(); i++) {
        fast_wide = wide && i % 2;
        const int opacity = i % 256, t = i / 256 % 4;
        SDL_Surface *src = i % 5 == 4 ? text() : handle(side(), side(), i % 3 ? -1 : i % 256);
        SDL_Surface *own = t == 3   ? make(SDL_SWSURFACE, side() + 9, side(), 24, kR, kG, kB, 0)
                           : t == 2 ? handle(side() + 20, side() + 10, -1)
                                    : nullptr;
        SDL_Surface *dst = own ? own : t == 1 ? src : gScreen; // t 1: onto itself
        const SDL_Rect clip = box(-5, 30, 50);
        SDL_SetClipRect(dst, i % 3 ? &clip : nullptr);
        const int w = rnd(0, 4) ? rnd(1, 3 * src->w + 8) : src->w, h = i % 7 ? rnd(1, 60) : src->h;
        const int x = rnd(-w - 3, dst->w + 2), y = rnd(-h - 3, dst->h + 2);
        SDL_Surface *want = make(SDL_SRCALPHA, w, h, 32, kR, kG, kB, kA);
        for (int v = 0; v < h; v++)
            for (int u = 0; u < w; u++) {
                Uint32 p = static_cast<Uint32 *>(
                    src->pixels)[v * src->h / h * src->pitch / 4 + u * src->w / w];
                p = (p & 0xFFFFFF) | ((p >> 24) * opacity + 127) / 255 << 24;
                static_cast<Uint32 *>(want->pixels)[v * want->pitch / 4 + u] = p;
            }
        const std::vector<Uint8> before = bytes(dst);
        SDL_Rect r = {Sint16(x), Sint16(y), 0, 0};
        SDL_UpperBlit(want, nullptr, dst, &r);
        const std::vector<Uint8> expected = bytes(dst);
        memcpy(dst->pixels, before.data(), before.size());
        fast_blit_scaled(src, dst, x, y, w, h, Uint8(opacity));
        EXPECT_TRUE(bytes(dst) == expected) << i << ": " << w << "x" << h << " at " << x << "," << y
                                            << " of " << fields(src) << " onto " << fields(dst);
        SDL_SetClipRect(gScreen, nullptr), SDL_FreeSurface(want), SDL_FreeSurface(src);
        SDL_FreeSurface(own);
    }
}
