// Script functions of the character-cell console: start-up, cell writes, refresh.
#ifndef ZEDODAVA_CONSOLE_H
#define ZEDODAVA_CONSOLE_H

#include <lua.hpp>

int l_curses_init(lua_State *L);
int l_curses_refresh(lua_State *L);
int l_curses_addch(lua_State *L);
int l_curses_setcol(lua_State *L);
int l_curses_fill(lua_State *L);

#endif
