// Script functions of text: fonts and rendered strings.
#ifndef ZEDODAVA_TEXT_H
#define ZEDODAVA_TEXT_H

#include <lua.hpp>

int l_loadFont(lua_State *L);
int l_printFont(lua_State *L);
int l_freeFont(lua_State *L);

#endif
