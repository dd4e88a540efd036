// Vectorised stand-ins for the three SDL calls that hold most of a frame's
// pixel work. Each takes the same arguments and gives the same result as the
// SDL call it replaces, to the byte (pixels, clipped rectangle, new surface's
// fields); it does the work itself only where it knows exactly what SDL would
// do, and calls SDL for every other case. Beside them, the stretched and
// faded blit, which has no SDL call to match and follows its own formula.
#ifndef ZEDODAVA_FASTPATH_H
#define ZEDODAVA_FASTPATH_H

#include <SDL.h>

// SDL_UpperBlit. Own loop: a 32-bit source (whole or a rectangle of it)
// with per-pixel alpha in its top byte blended onto a 32-bit target with
// the same colour bytes, neither colour-keyed, run-length encoded, in video
// memory or locked.
int fast_blit(SDL_Surface *src, SDL_Rect *srcrect, SDL_Surface *dst, SDL_Rect *dstrect);

// blitScaled and blitAlpha: the whole source stretched over the w x h
// rectangle at x, y of the target, clipped to its clip rectangle. Target
// pixel (x + i, y + j) takes source pixel
//     (i * src->w / w, j * src->h / h)     (rounded down: the nearest)
// with its alpha a made (a * opacity + 127) / 255, and is blended as SDL
// blends that pixel in a blit. Own loop: the sources and targets of the
// alpha blit above; other ones are made up by the same formula and blitted
// by SDL.
void fast_blit_scaled(SDL_Surface *src, SDL_Surface *dst, int x, int y, int w, int h,
                      Uint8 opacity);

// SDL_FillRect. Own loop: any 32-bit target in system memory.
int fast_fill(SDL_Surface *dst, SDL_Rect *dstrect, Uint32 color);

// SDL_DisplayFormatAlpha. Own loop: a 32-bit display with red, green, blue
// masks 0xFF0000, 0xFF00, 0xFF, and a 32-bit source whose channels are whole
// bytes, with no colour key, run-length encoding or video memory. A source
// that already is what the conversion would make (rendered text) comes back
// itself with one more reference: the caller frees the source right after
// and does not use it again, as every caller of a conversion here does.
SDL_Surface *fast_display_alpha(SDL_Surface *src);

// Whether the 32-byte (AVX2) loops run instead of the 16-byte (SSE2) ones:
// set at start-up from what the processor reports; the tests clear it to
// check the narrower loops as well.
extern bool fast_wide;

#endif
