// Vectorised alpha blit, stretched blit, fill and display-format conversion
// (see fastpath.h).
//
// The loops are written once with the compiler's vector types and built
// twice: 16 bytes wide with SSE2, which every x86-64 has, and 32 bytes wide
// with AVX2 for processors that report it at run time. Elsewhere every call
// goes straight to SDL.
#include "fastpath.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "surface.h"

namespace
{

// The part of a stretched blit's w x h rectangle at x, y that the target's
// clip rectangle lets through: vw x vh pixels at vx, vy.
struct Stretch {
    int64_t x, y, w, h;
    int vx, vy, vw, vh;
    int col(int i) const { return int((vx - x + i) * sw / w); } // source column of column i
    int row(int j) const { return int((vy - y + j) * sh / h); }
    int64_t sw, sh; // the source's size
};

bool stretch_visible(const SDL_Surface *src, const SDL_Surface *dst, int x, int y, int w, int h,
                     Stretch *st)
{
    const SDL_Rect &c = dst->clip_rect;
    if (w <= 0 || h <= 0 || src->w <= 0 || src->h <= 0 || !src->pixels || !dst->pixels)
        return false;
    const int64_t x0 = x > c.x ? x : c.x, y0 = y > c.y ? y : c.y;
    const int64_t x1 = int64_t(x) + w < c.x + c.w ? int64_t(x) + w : c.x + c.w;
    const int64_t y1 = int64_t(y) + h < c.y + c.h ? int64_t(y) + h : c.y + c.h;
    if (x1 <= x0 || y1 <= y0)
        return false;
    *st = {x, y, w, h, int(x0), int(y0), int(x1 - x0), int(y1 - y0), src->w, src->h};
    return true;
}

// A source pixel (alpha in the top byte) with its alpha scaled by opacity.
inline uint32_t fade(uint32_t p, uint32_t opacity)
{
    return (p & 0xFFFFFF) | ((p >> 24) * opacity + 127) / 255 << 24;
}

// Sources and targets the own loop does not take: the visible part made as
// a new surface by the same formula from the source's colours, then
// blitted by SDL.
void stretch_through_sdl(SDL_Surface *src, SDL_Surface *dst, const Stretch &st, Uint8 opacity)
{
    SDL_Surface *t =
        SDL_CreateRGBSurface(SDL_SRCALPHA, st.vw, st.vh, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000);
    if (!t || SDL_LockSurface(src) < 0) {
        SDL_FreeSurface(t);
        return;
    }
    const bool keyed = src->flags & SDL_SRCCOLORKEY;
    for (int j = 0; j < st.vh; j++) {
        uint32_t *out =
            reinterpret_cast<uint32_t *>(static_cast<uint8_t *>(t->pixels) + j * t->pitch);
        for (int i = 0; i < st.vw; i++) {
            const Uint32 raw = load_pixel(src, st.col(i), st.row(j));
            Uint8 r, g, b, a;
            SDL_GetRGBA(raw, src->format, &r, &g, &b, &a);
            a = keyed && raw == src->format->colorkey ? 0 : a;
            out[i] = fade(uint32_t(a) << 24 | uint32_t(r) << 16 | uint32_t(g) << 8 | b, opacity);
        }
    }
    SDL_UnlockSurface(src);
    SDL_Rect r = {Sint16(st.vx), Sint16(st.vy), Uint16(st.vw), Uint16(st.vh)};
    SDL_UpperBlit(t, nullptr, dst, &r);
    SDL_FreeSurface(t);
}

} // namespace

#if defined(__SSE2__)

namespace
{

// Flags under which SDL takes a path of its own: colour keys, run-length
// encoding, video memory, asynchronous or hardware blits.
const Uint32 kOtherPaths =
    SDL_SRCCOLORKEY | SDL_RLEACCELOK | SDL_RLEACCEL | SDL_HWSURFACE | SDL_HWACCEL | SDL_ASYNCBLIT;

template <int N> struct Vec {
    typedef uint32_t u32 __attribute__((vector_size(N)));
    typedef uint16_t u16 __attribute__((vector_size(N)));
    typedef uint8_t u8 __attribute__((vector_size(N)));
};

#define ZD_INLINE inline __attribute__((always_inline))

// SDL's per-pixel alpha blend of a source whose alpha is its top byte: each
// colour byte becomes d + ((s - d) * a >> 8), the target's alpha byte stays;
// a = 255 takes the source's colour bytes as they are, a = 0 leaves the pixel.
ZD_INLINE uint32_t blend_pixel(uint32_t s, uint32_t d)
{
    const uint32_t a = s >> 24;
    if (a == 0)
        return d;
    if (a == 255)
        return (s & 0xFFFFFF) | (d & 0xFF000000);
    const uint32_t d1 = d & 0xFF00FF, d2 = d & 0xFF00;
    const uint32_t rb = (d1 + (((s & 0xFF00FF) - d1) * a >> 8)) & 0xFF00FF;
    const uint32_t g = (d2 + (((s & 0xFF00) - d2) * a >> 8)) & 0xFF00;
    return rb | g | (d & 0xFF000000);
}

// The same blend on N / 4 pixels. Bytes 0 and 2 and bytes 1 and 3 of each
// pixel are worked in 16-bit lanes; the multiplier of byte 3 (alpha) is 0 so
// the target's stays, and a = 255 is made 256, which yields the source byte.
// (Vectors by reference: by value they would change the calling convention.)
template <int N> ZD_INLINE void blend_values(const typename Vec<N>::u32 &s, typename Vec<N>::u32 &d)
{
    typedef typename Vec<N>::u32 U32;
    typedef typename Vec<N>::u16 U16;
    typedef typename Vec<N>::u8 U8;
    U32 a = s >> 24;
    a -= (U32)(a == 255);
    const U16 m_even = (U16)(a | (a << 16));
    const U16 m_odd = (U16)a;
    const U16 s16 = (U16)s, d16 = (U16)d;
    const U16 se = s16 & 0xFF, de = d16 & 0xFF, so = s16 >> 8, dodd = d16 >> 8;
    const U8 even = (U8)de + (U8)(((se - de) * m_even) >> 8);
    const U8 odd = (U8)dodd + (U8)(((so - dodd) * m_odd) >> 8);
    d = (U32)((U16)even | ((U16)odd << 8));
}

template <int N> ZD_INLINE void blend_vector(const uint32_t *sp, uint32_t *dp)
{
    typedef typename Vec<N>::u32 U32;
    U32 s, d;
    memcpy(&s, sp, N);
    memcpy(&d, dp, N);
    blend_values<N>(s, d);
    memcpy(dp, &d, N);
}

template <int N>
ZD_INLINE void blend_rows(const uint8_t *s, int spitch, uint8_t *d, int dpitch, int w, int h)
{
    for (; h > 0; h--, s += spitch, d += dpitch) {
        const uint32_t *sp = reinterpret_cast<const uint32_t *>(s);
        uint32_t *dp = reinterpret_cast<uint32_t *>(d);
        int x = 0;
        for (; x + N / 4 <= w; x += N / 4)
            blend_vector<N>(sp + x, dp + x);
        if (N > 16 && x + 4 <= w) {
            blend_vector<16>(sp + x, dp + x);
            x += 4;
        }
        for (; x < w; x++)
            dp[x] = blend_pixel(sp[x], dp[x]);
    }
}

template <int N> ZD_INLINE void fill_run(uint32_t *p, int n, uint32_t color)
{
    typedef typename Vec<N>::u32 U32;
    const U32 v = U32{} + color;
    int x = 0;
    for (; x + N / 4 <= n; x += N / 4)
        memcpy(p + x, &v, N);
    for (; x < n; x++)
        p[x] = color;
}

template <int N> ZD_INLINE void fill_rows(uint8_t *row, int pitch, int w, int h, uint32_t color)
{
    if (pitch == w * 4) { // whole rows: one run
        w *= h;
        h = 1;
    }
    for (; h > 0; h--, row += pitch)
        fill_run<N>(reinterpret_cast<uint32_t *>(row), w, color);
}

// Where the red, green, blue and alpha bytes of a source pixel sit (bit
// shifts); a source without alpha bytes gets its per-surface alpha.
struct Layout {
    int r, g, b, a; // a < 0: no alpha
    Uint8 alpha;
};

template <int N>
ZD_INLINE void swizzle_rows(const uint8_t *s, int spitch, uint8_t *d, int dpitch, int w, int h,
                            Layout l)
{
    typedef typename Vec<N>::u32 U32;
    const int ashift = l.a < 0 ? 0 : l.a;
    const uint32_t amask = l.a < 0 ? 0 : 0xFF, fixed = l.a < 0 ? uint32_t(l.alpha) << 24 : 0;
    for (; h > 0; h--, s += spitch, d += dpitch) {
        const uint32_t *sp = reinterpret_cast<const uint32_t *>(s);
        uint32_t *dp = reinterpret_cast<uint32_t *>(d);
        int x = 0;
        for (; x + N / 4 <= w; x += N / 4) {
            U32 v;
            memcpy(&v, sp + x, N);
            const U32 out = ((v >> l.r) & 0xFF) << 16 | ((v >> l.g) & 0xFF) << 8 |
                            ((v >> l.b) & 0xFF) | ((v >> ashift) & amask) << 24 | fixed;
            memcpy(dp + x, &out, N);
        }
        for (; x < w; x++) {
            const uint32_t v = sp[x];
            dp[x] = ((v >> l.r) & 0xFF) << 16 | ((v >> l.g) & 0xFF) << 8 | ((v >> l.b) & 0xFF) |
                    ((v >> ashift) & amask) << 24 | fixed;
        }
    }
}

void blend_sse2(const uint8_t *s, int sp, uint8_t *d, int dp, int w, int h)
{
    blend_rows<16>(s, sp, d, dp, w, h);
}
__attribute__((target("avx2"))) void blend_avx2(const uint8_t *s, int sp, uint8_t *d, int dp, int w,
                                                int h)
{
    blend_rows<32>(s, sp, d, dp, w, h);
}
void fill_sse2(uint8_t *row, int pitch, int w, int h, uint32_t c)
{
    fill_rows<16>(row, pitch, w, h, c);
}
__attribute__((target("avx2"))) void fill_avx2(uint8_t *row, int pitch, int w, int h, uint32_t c)
{
    fill_rows<32>(row, pitch, w, h, c);
}
void swizzle_sse2(const uint8_t *s, int sp, uint8_t *d, int dp, int w, int h, Layout l)
{
    swizzle_rows<16>(s, sp, d, dp, w, h, l);
}
__attribute__((target("avx2"))) void swizzle_avx2(const uint8_t *s, int sp, uint8_t *d, int dp,
                                                  int w, int h, Layout l)
{
    swizzle_rows<32>(s, sp, d, dp, w, h, l);
}

// The shift of a mask that is one whole byte, or -1.
int byte_shift(Uint32 mask)
{
    for (int shift = 0; shift < 32; shift += 8)
        if (mask == 0xFFu << shift)
            return shift;
    return -1;
}

// Red, green and blue each one whole byte of the low three.
bool colour_bytes(const SDL_PixelFormat *f)
{
    const int r = byte_shift(f->Rmask), g = byte_shift(f->Gmask), b = byte_shift(f->Bmask);
    return r >= 0 && g >= 0 && b >= 0 && (f->Rmask | f->Gmask | f->Bmask) == 0xFFFFFF;
}

// Whether SDL would blend src onto dst with blend_pixel (and the two share
// no pixels).
bool blend_applies(const SDL_Surface *src, const SDL_Surface *dst)
{
    if (!src || !dst || src == dst)
        return false;
    const SDL_PixelFormat *sf = src->format, *df = dst->format;
    return (src->flags & SDL_SRCALPHA) && !((src->flags | dst->flags) & kOtherPaths) &&
           !src->locked && !dst->locked && !src->offset && !dst->offset && sf->BytesPerPixel == 4 &&
           df->BytesPerPixel == 4 && sf->Amask == 0xFF000000 && colour_bytes(sf) &&
           sf->Rmask == df->Rmask && sf->Gmask == df->Gmask && sf->Bmask == df->Bmask;
}

// Whether the conversion is a byte shuffle onto the display's ARGB format,
// and the source's layout if so.
bool convert_applies(const SDL_Surface *screen, const SDL_Surface *src, Layout *l)
{
    const SDL_PixelFormat *vf = screen->format, *sf = src->format;
    if (vf->BytesPerPixel != 4 || vf->Rmask != 0xFF0000 || vf->Gmask != 0xFF00 ||
        vf->Bmask != 0xFF || (screen->flags & SDL_HWSURFACE))
        return false;
    if (sf->BytesPerPixel != 4 || sf->palette || (src->flags & kOtherPaths) || src->offset)
        return false;
    l->r = byte_shift(sf->Rmask);
    l->g = byte_shift(sf->Gmask);
    l->b = byte_shift(sf->Bmask);
    l->a = sf->Amask ? byte_shift(sf->Amask) : -1;
    l->alpha = sf->alpha;
    const Uint32 all = sf->Rmask | sf->Gmask | sf->Bmask | sf->Amask;
    const bool distinct = __builtin_popcount(all) == (sf->Amask ? 32 : 24);
    return l->r >= 0 && l->g >= 0 && l->b >= 0 && (l->a >= 0 || !sf->Amask) && distinct;
}

// SDL's rectangle intersection, written into the first rectangle: the
// overlap's position and size, a size of 0 where there is none.
bool clip_in_place(SDL_Rect *r, const SDL_Rect *clip)
{
    int lo = r->x > clip->x ? r->x : clip->x;
    int hi = r->x + r->w < clip->x + clip->w ? r->x + r->w : clip->x + clip->w;
    r->x = static_cast<Sint16>(lo);
    r->w = static_cast<Uint16>(hi > lo ? hi - lo : 0);
    lo = r->y > clip->y ? r->y : clip->y;
    hi = r->y + r->h < clip->y + clip->h ? r->y + r->h : clip->y + clip->h;
    r->y = static_cast<Sint16>(lo);
    r->h = static_cast<Uint16>(hi > lo ? hi - lo : 0);
    return r->w && r->h;
}

// One direction of the blit's clipping: the run of len at *pos is cut to
// the clip range from lo, extent long; *skip grows by what its start lost.
void clip_run(Sint16 *pos, int *len, int *skip, int lo, int extent)
{
    const int before = lo - *pos;
    if (before > 0) {
        *len -= before;
        *pos = static_cast<Sint16>(*pos + before);
        *skip += before;
    }
    const int after = *pos + *len - lo - extent;
    if (after > 0)
        *len -= after;
}

} // namespace

// The wider loops where the processor and the system support them.
bool fast_wide = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
}();

int fast_blit(SDL_Surface *src, SDL_Rect *srcrect, SDL_Surface *dst, SDL_Rect *dstrect)
{
    if (!dstrect || !blend_applies(src, dst))
        return SDL_UpperBlit(src, srcrect, dst, dstrect);

    // The source rectangle (the whole source when none) cut to the source,
    // the target position moved by what its start lost, then clipped to the
    // target's clip rectangle; the destination rectangle is left as the part
    // blitted, or with no size.
    int srcx = 0, srcy = 0, w = src->w, h = src->h;
    if (srcrect) {
        srcx = srcrect->x, srcy = srcrect->y, w = srcrect->w, h = srcrect->h;
        if (srcx < 0) {
            w += srcx;
            dstrect->x = static_cast<Sint16>(dstrect->x - srcx);
            srcx = 0;
        }
        if (srcy < 0) {
            h += srcy;
            dstrect->y = static_cast<Sint16>(dstrect->y - srcy);
            srcy = 0;
        }
        w = w < src->w - srcx ? w : src->w - srcx;
        h = h < src->h - srcy ? h : src->h - srcy;
    }
    const SDL_Rect *clip = &dst->clip_rect;
    clip_run(&dstrect->x, &w, &srcx, clip->x, clip->w);
    clip_run(&dstrect->y, &h, &srcy, clip->y, clip->h);
    if (w <= 0 || h <= 0) {
        dstrect->w = dstrect->h = 0;
        return 0;
    }
    dstrect->w = static_cast<Uint16>(w);
    dstrect->h = static_cast<Uint16>(h);

    const uint8_t *s =
        static_cast<const uint8_t *>(src->pixels) + ptrdiff_t(srcy) * src->pitch + srcx * 4;
    uint8_t *d =
        static_cast<uint8_t *>(dst->pixels) + ptrdiff_t(dstrect->y) * dst->pitch + dstrect->x * 4;
    (fast_wide ? blend_avx2 : blend_sse2)(s, src->pitch, d, dst->pitch, w, h);
    return 0;
}

int fast_fill(SDL_Surface *dst, SDL_Rect *dstrect, Uint32 color)
{
    if (!dst || dst->format->BytesPerPixel != 4 || SDL_MUSTLOCK(dst))
        return SDL_FillRect(dst, dstrect, color);
    // Clipped as SDL clips it: the caller's rectangle becomes the part filled.
    if (dstrect && !clip_in_place(dstrect, &dst->clip_rect))
        return 0;
    const SDL_Rect r = dstrect ? *dstrect : dst->clip_rect;
    if (!r.w || !r.h)
        return 0;
    uint8_t *row = static_cast<uint8_t *>(dst->pixels) + ptrdiff_t(r.y) * dst->pitch + r.x * 4;
    (fast_wide ? fill_avx2 : fill_sse2)(row, dst->pitch, r.w, r.h, color);
    return 0;
}

void fast_blit_scaled(SDL_Surface *src, SDL_Surface *dst, int x, int y, int w, int h, Uint8 opacity)
{
    Stretch st;
    if (!src || !dst || !stretch_visible(src, dst, x, y, w, h, &st))
        return;
    if (!blend_applies(src, dst)) {
        stretch_through_sdl(src, dst, st, opacity);
        return;
    }
    // A row of source pixels gathered (and faded) for each target row, then
    // blended by the blit's loop; the source column of each target column
    // worked out once.
    uint32_t *row = static_cast<uint32_t *>(malloc(size_t(st.vw) * 8));
    if (!row)
        return;
    int32_t *cols = reinterpret_cast<int32_t *>(row + st.vw);
    for (int i = 0; i < st.vw; i++)
        cols[i] = st.col(i);
    uint8_t *d = static_cast<uint8_t *>(dst->pixels) + ptrdiff_t(st.vy) * dst->pitch + st.vx * 4;
    for (int j = 0; j < st.vh; j++, d += dst->pitch) {
        const uint32_t *s = reinterpret_cast<const uint32_t *>(
            static_cast<const uint8_t *>(src->pixels) + ptrdiff_t(st.row(j)) * src->pitch);
        if (opacity == 255) {
            for (int i = 0; i < st.vw; i++)
                row[i] = s[cols[i]];
        } else {
            for (int i = 0; i < st.vw; i++)
                row[i] = fade(s[cols[i]], opacity);
        }
        (fast_wide ? blend_avx2 : blend_sse2)(reinterpret_cast<uint8_t *>(row), 0, d, dst->pitch,
                                              st.vw, 1);
    }
    free(row);
}

SDL_Surface *fast_display_alpha(SDL_Surface *src)
{
    SDL_Surface *screen = SDL_GetVideoSurface();
    Layout l;
    if (!screen || !src || !convert_applies(screen, src, &l))
        return SDL_DisplayFormatAlpha(src);

    // A source alone in the result's format, with the flags the result
    // gets (and so its pitch): it becomes the result, one more reference on it for the
    // caller to drop. Clearing and setting its alpha flag drops any blit
    // mapping made for it, as a new surface has none.
    if (l.r == 16 && l.g == 8 && l.b == 0 && l.a == 24 && src->flags == SDL_SRCALPHA &&
        src->refcount == 1 && !src->locked) {
        src->refcount++;
        SDL_SetAlpha(src, 0, 0);
        SDL_SetAlpha(src, SDL_SRCALPHA, 0);
        return src;
    }
    // The surface SDL makes for the copy, then what it sets on it after.
    SDL_Surface *out = SDL_CreateRGBSurface(src->flags & SDL_SRCALPHA, src->w, src->h, 32, 0xFF0000,
                                            0xFF00, 0xFF, 0xFF000000);
    if (!out)
        return nullptr;
    const uint8_t *s = static_cast<const uint8_t *>(src->pixels);
    uint8_t *d = static_cast<uint8_t *>(out->pixels);
    if (s && d && src->w > 0) {
        if (l.r == 16 && l.g == 8 && l.b == 0 && l.a == 24) {
            for (int y = 0; y < src->h; y++)
                memcpy(d + y * out->pitch, s + y * src->pitch, size_t(src->w) * 4);
        } else {
            (fast_wide ? swizzle_avx2 : swizzle_sse2)(s, src->pitch, d, out->pitch, src->w, src->h,
                                                      l);
        }
    }
    SDL_SetClipRect(out, &src->clip_rect);
    if (src->flags & SDL_SRCALPHA)
        SDL_SetAlpha(out, SDL_SRCALPHA, 0);
    return out;
}

// The console grid. Each pixel of a cell is its own blend of the glyph's
// coverage, in the cell's foreground colour, over the cell's background
// colour: the target is not read, so runs may overlap.
namespace
{

ZD_INLINE uint32_t rgb_entry(const uint8_t *e) { return uint32_t(e[0]) << 16 | e[1] << 8 | e[2]; }

// One cell. Its source and target colours are fixed, so blend_values' lanes
// reduce to the target's bytes plus their distance to the source's times the
// coverage (stored as blend_values' even-byte multiplier, 256 for 255); rows
// without coverage are the background.
template <int N>
ZD_INLINE void tile_cell(const uint32_t *m, uint8_t *d, int pitch, int cw, int ch, uint32_t tint,
                         uint32_t bg)
{
    typedef typename Vec<N>::u32 U32;
    typedef typename Vec<N>::u16 U16;
    typedef typename Vec<N>::u8 U8;
    const int lanes = N / 4;
    if (cw < lanes) {
        if (N > 16 && cw >= 4)
            return tile_cell<16>(m, d, pitch, cw, ch, tint, bg);
        for (int y = 0; y < ch; y++, d += pitch)
            for (int x = 0; x < cw; x++) {
                const uint32_t a = m[2 + y * cw + x] & 0x1FF;
                reinterpret_cast<uint32_t *>(d)[x] =
                    blend_pixel((a > 255 ? 255 : a) << 24 | tint, bg);
            }
        return;
    }
    const U32 b = U32{} + bg;
    const U16 t16 = (U16)(U32{} + tint), b16 = (U16)b;
    const U16 de = b16 & 0xFF, dodd = b16 >> 8;
    const U16 diff_even = (t16 & 0xFF) - de, diff_odd = (t16 >> 8) - dodd;
    const int top = int(m[0]), bottom = int(m[1]);
    m += 2 + top * cw;
    // Runs of lanes pixels from the left; the last one ends at the cell's edge.
    auto background = [&](int rows) {
        for (; rows > 0; rows--, d += pitch) {
            for (int x = 0; x + lanes < cw; x += lanes)
                memcpy(d + 4 * x, &b, N);
            memcpy(d + 4 * (cw - lanes), &b, N);
        }
    };
    background(top);
    for (int y = top; y < bottom; y++, d += pitch, m += cw) {
        auto blend = [&](int x) {
            U32 mul;
            memcpy(&mul, m + x, N);
            const U8 even = (U8)de + (U8)((diff_even * (U16)mul) >> 8);
            const U8 odd = (U8)dodd + (U8)((diff_odd * (U16)(mul & 0xFFFF)) >> 8);
            const U32 out = (U32)((U16)even | ((U16)odd << 8));
            memcpy(d + 4 * x, &out, N);
        };
        for (int x = 0; x + lanes < cw; x += lanes)
            blend(x);
        blend(cw - lanes);
    }
    background(ch - bottom);
}

template <int N>
ZD_INLINE void tile_grid(uint8_t *pixels, int pitch, const ConsoleTiles &g, uint32_t bits)
{
    for (int row = 0; row < g.rows; row++) {
        uint8_t *d = pixels + ptrdiff_t(row) * g.ch * pitch;
        for (int i = row * g.cols; i < (row + 1) * g.cols; i++, d += 4 * g.cw)
            tile_cell<N>(g.masks[g.chars[i]], d, pitch, g.cw, g.ch, rgb_entry(g.fg + 4 * i),
                         rgb_entry(g.bg + 4 * i) | bits);
    }
}

void tiles_sse2(uint8_t *p, int pitch, const ConsoleTiles &g, uint32_t bits)
{
    tile_grid<16>(p, pitch, g, bits);
}
__attribute__((target("avx2"))) void tiles_avx2(uint8_t *p, int pitch, const ConsoleTiles &g,
                                                uint32_t bits)
{
    tile_grid<32>(p, pitch, g, bits);
}

} // namespace

bool fast_console(SDL_Surface *dst, const ConsoleTiles &g)
{
    if (!dst || !dst->pixels || g.cw <= 0 || g.ch <= 0 || g.cols <= 0 || g.rows <= 0)
        return false;
    const SDL_PixelFormat *f = dst->format;
    const SDL_Rect &c = dst->clip_rect;
    if (f->BytesPerPixel != 4 || f->Rmask != 0xFF0000 || f->Gmask != 0xFF00 || f->Bmask != 0xFF ||
        (dst->flags & kOtherPaths) || dst->locked || dst->offset || SDL_MUSTLOCK(dst) ||
        int64_t(g.cw) * g.cols != dst->w || int64_t(g.ch) * g.rows != dst->h || c.x || c.y ||
        c.w != dst->w || c.h != dst->h)
        return false;
    // What the display's colour mapping adds to every colour (its alpha bits).
    const uint32_t bits = SDL_MapRGB(dst->format, 0, 0, 0);
    (fast_wide ? tiles_avx2 : tiles_sse2)(static_cast<uint8_t *>(dst->pixels), dst->pitch, g, bits);
    return true;
}

#else // no vector loops on this processor: SDL does all of it

bool fast_wide = false;

int fast_blit(SDL_Surface *src, SDL_Rect *srcrect, SDL_Surface *dst, SDL_Rect *dstrect)
{
    return SDL_UpperBlit(src, srcrect, dst, dstrect);
}

int fast_fill(SDL_Surface *dst, SDL_Rect *dstrect, Uint32 color)
{
    return SDL_FillRect(dst, dstrect, color);
}

void fast_blit_scaled(SDL_Surface *src, SDL_Surface *dst, int x, int y, int w, int h, Uint8 opacity)
{
    Stretch st;
    if (src && dst && stretch_visible(src, dst, x, y, w, h, &st))
        stretch_through_sdl(src, dst, st, opacity);
}

SDL_Surface *fast_display_alpha(SDL_Surface *src) { return SDL_DisplayFormatAlpha(src); }

bool fast_console(SDL_Surface *, const ConsoleTiles &) { return false; }

#endif
