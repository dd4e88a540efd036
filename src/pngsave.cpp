// A plain PNG writer: one IHDR, one zlib-compressed IDAT of unfiltered rows,
// IEND.
#include "pngsave.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <zlib.h>

#include "surface.h"

namespace
{

void put32(unsigned char *p, uint32_t v)
{
    p[0] = static_cast<unsigned char>(v >> 24);
    p[1] = static_cast<unsigned char>(v >> 16);
    p[2] = static_cast<unsigned char>(v >> 8);
    p[3] = static_cast<unsigned char>(v);
}

// Length, type, data, then the CRC of type and data.
bool write_chunk(FILE *f, const char *type, const unsigned char *data, uint32_t n)
{
    unsigned char head[8], crc[4];
    put32(head, n);
    memcpy(head + 4, type, 4);
    uLong c = crc32(0, head + 4, 4);
    c = crc32(c, data, n);
    put32(crc, static_cast<uint32_t>(c));
    return fwrite(head, 1, 8, f) == 8 && fwrite(data, 1, n, f) == n && fwrite(crc, 1, 4, f) == 4;
}

// The rows as PNG scanlines: a filter byte of 0, then r, g, b[, a] a pixel.
unsigned char *scanlines(SDL_Surface *s, int channels, size_t *n)
{
    const size_t row = 1 + size_t(s->w) * channels;
    unsigned char *out = static_cast<unsigned char *>(malloc(row * s->h));
    if (!out)
        return nullptr;
    for (int y = 0; y < s->h; y++) {
        unsigned char *p = out + row * y;
        *p++ = 0;
        for (int x = 0; x < s->w; x++) {
            Uint8 r, g, b, a;
            SDL_GetRGBA(load_pixel(s, x, y), s->format, &r, &g, &b, &a);
            *p++ = r, *p++ = g, *p++ = b;
            if (channels == 4)
                *p++ = a;
        }
    }
    *n = row * s->h;
    return out;
}

} // namespace

const char *save_png(SDL_Surface *s, const char *path, char *reason, size_t size)
{
    if (s->w <= 0 || s->h <= 0) {
        snprintf(reason, size, "an image of %dx%d pixels cannot be written", s->w, s->h);
        return reason;
    }
    const int channels = s->format->Amask ? 4 : 3;
    size_t raw_n = 0;
    if (SDL_LockSurface(s) < 0) {
        snprintf(reason, size, "cannot read the pixels: %s", SDL_GetError());
        return reason;
    }
    unsigned char *raw = scanlines(s, channels, &raw_n);
    SDL_UnlockSurface(s);
    uLongf packed_n = compressBound(raw_n);
    unsigned char *packed = raw ? static_cast<unsigned char *>(malloc(packed_n)) : nullptr;
    const bool packed_ok = packed && compress2(packed, &packed_n, raw, raw_n, 6) == Z_OK;
    free(raw);
    if (!packed_ok) {
        free(packed);
        snprintf(reason, size, "out of memory for %dx%d pixels", s->w, s->h);
        return reason;
    }

    FILE *f = fopen(path, "wb");
    if (!f) {
        free(packed);
        snprintf(reason, size, "cannot write '%s': %s", path, strerror(errno));
        return reason;
    }
    static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    unsigned char ihdr[13];
    put32(ihdr, static_cast<uint32_t>(s->w));
    put32(ihdr + 4, static_cast<uint32_t>(s->h));
    ihdr[8] = 8;                        // bits per channel
    ihdr[9] = channels == 4 ? 6 : 2;    // colour type: RGBA or RGB
    ihdr[10] = ihdr[11] = ihdr[12] = 0; // deflate, adaptive filters, no interlace
    const bool written = fwrite(kSignature, 1, 8, f) == 8 && write_chunk(f, "IHDR", ihdr, 13) &&
                         write_chunk(f, "IDAT", packed, static_cast<uint32_t>(packed_n)) &&
                         write_chunk(f, "IEND", ihdr, 0);
    const int write_error = errno;
    free(packed);
    const bool closed = fclose(f) == 0;
    if (written && closed)
        return nullptr;
    snprintf(reason, size, "cannot write '%s': %s", path, strerror(written ? errno : write_error));
    remove(path); // no half-written file left behind
    return reason;
}
