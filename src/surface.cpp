// Surfaces and drawing: surface handles, fills, pixel writes and shapes.
#include "args.h"
#include "zedodava.h"

void putpixel(SDL_Surface *, Uint16, Uint16, Uint32) {}

int l_loadImage(lua_State *) { return 0; }
int l_makeSurf(lua_State *) { return 0; }
int l_blit(lua_State *) { return 0; }
int l_freeSurf(lua_State *) { return 0; }
int l_fill(lua_State *) { return 0; }
int l_putpix(lua_State *) { return 0; }
int l_draw(lua_State *) { return 0; }
int l_drawTri(lua_State *) { return 0; }
