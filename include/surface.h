// Surfaces: the exported pixel writer, the pixel reader beside it, and what
// every function that makes a surface does with it.
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

// Converts a loaded, made or rendered surface to the display's format with
// alpha and frees the original; null when there is no display or the
// conversion fails.
SDL_Surface *to_display_alpha(SDL_Surface *first);

// Registers a new surface handle and pushes it with its width and height.
int push_surface(lua_State *L, SDL_Surface *s);

#endif
