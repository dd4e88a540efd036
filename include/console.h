// Script functions of the character-cell console: start-up, cell writes, refresh.
#ifndef ZEDODAVA_CONSOLE_H
#define ZEDODAVA_CONSOLE_H

#include <lua.hpp>

int l_curses_init(lua_State *L);
int l_curses_refresh(lua_State *L);
int l_curses_addch(lua_State *L);
int l_curses_setcol(lua_State *L);
int l_curses_fill(lua_State *L);

// Whether the refresh paints from its glyph cache where it can (set; the
// tests clear it to compare with rendering every cell).
extern bool console_glyph_cache;

// Empties the glyph cache (the console's font is going).
void console_cache_drop();

#endif
