// Surfaces: the exported pixel writer and the pixel reader beside it.
#ifndef ZEDODAVA_SURFACE_H
#define ZEDODAVA_SURFACE_H

#include <lua.hpp>

#include "core.h"

// Stores one pixel value (already in the surface's format) at x, y of a
// locked surface. Neither locks nor tests the position.
extern "C" ZD_EXPORT void putpixel(SDL_Surface *surface, Uint16 x, Uint16 y, Uint32 pixel);

// The pixel value at x, y of a locked surface, as store_pixel lays it out.
// Neither locks nor tests the position.
Uint32 load_pixel(const SDL_Surface *surface, int x, int y);

#endif
