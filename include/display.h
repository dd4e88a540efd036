// Script functions of the display's life: start-up, page flip, cursor, quit.
#ifndef ZEDODAVA_DISPLAY_H
#define ZEDODAVA_DISPLAY_H

#include <lua.hpp>

int l_init(lua_State *L);
int l_quit(lua_State *L);
int l_flip(lua_State *L);
int l_showCursor(lua_State *L);

#endif
