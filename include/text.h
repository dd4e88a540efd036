// Script functions of text: fonts and rendered strings.
#ifndef ZEDODAVA_TEXT_H
#define ZEDODAVA_TEXT_H

#include <SDL_ttf.h>
#include <lua.hpp>

int l_loadFont(lua_State *L);
int l_printFont(lua_State *L);
int l_freeFont(lua_State *L);

// The size printFont renders text at in font (the surface it makes), read
// as safely as printFont reads it; false if it cannot be measured.
bool text_size(TTF_Font *font, const char *text, int *w, int *h);

#endif
