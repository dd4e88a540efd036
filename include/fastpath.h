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

// A console grid of cols x rows cells, each cw x ch pixels, stored row by row
// as the console record stores them; masks holds, per character byte, the
// first row of its glyph with any coverage and the row after the last, then
// cw x ch pixels of the coverage a, cropped to the cell, row by row, each as
// a | a << 16 with 255 stored as 256.
struct ConsoleTiles {
    int cw, ch, cols, rows;
    const Uint8 *chars, *fg, *bg; // a byte per cell; red, green, blue and a fourth byte
    const Uint32 *const *masks;   // 256 entries
};

// The pixels a console refresh leaves on a target the grid covers exactly:
// each cell's background filled, then its glyph, rendered in its foreground
// colour, blended over it from the cell's corner, columns outermost (so every
// glyph's overhang is covered by the cells painted after it). Own loop: a
// 32-bit target with red, green, blue masks 0xFF0000, 0xFF00, 0xFF in system
// memory, not locked, clipped to itself. Anywhere else it draws nothing and
// returns false.
bool fast_console(SDL_Surface *dst, const ConsoleTiles &tiles);

// Whether the 32-byte (AVX2) loops run instead of the 16-byte (SSE2) ones:
// set at start-up from what the processor reports; the tests clear it to
// check the narrower loops as well.
extern bool fast_wide;

#endif
