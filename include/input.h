// Script functions of input and timing: events, mouse and keys, frame timer.
#ifndef ZEDODAVA_INPUT_H
#define ZEDODAVA_INPUT_H

#include <lua.hpp>

int l_input(lua_State *L);
int l_mouse(lua_State *L);
int l_isKeyDown(lua_State *L);
int l_timer(lua_State *L);

#endif
