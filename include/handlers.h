// The script functions of the zedodava table, by the file that holds them
// (src/zedodava.cpp registers them; zedodava.extra's stay in extra.cpp).
#ifndef ZEDODAVA_HANDLERS_H
#define ZEDODAVA_HANDLERS_H

#include <lua.hpp>

// display.cpp: start-up, page flip, cursor, quit.
int l_init(lua_State *L);
int l_quit(lua_State *L);
int l_flip(lua_State *L);
int l_showCursor(lua_State *L);

// input.cpp: events, mouse and keys, frame timer.
int l_input(lua_State *L);
int l_mouse(lua_State *L);
int l_isKeyDown(lua_State *L);
int l_timer(lua_State *L);

// surface.cpp: surface handles, fills, pixel writes and shapes.
int l_loadImage(lua_State *L);
int l_makeSurf(lua_State *L);
int l_blit(lua_State *L);
int l_freeSurf(lua_State *L);
int l_fill(lua_State *L);
int l_putpix(lua_State *L);
int l_draw(lua_State *L);
int l_drawTri(lua_State *L);

// text.cpp: fonts and rendered strings.
int l_loadFont(lua_State *L);
int l_printFont(lua_State *L);
int l_freeFont(lua_State *L);

// audio.cpp: sound effects and music.
int l_loadSound(lua_State *L);
int l_loadMusic(lua_State *L);
int l_playSound(lua_State *L);
int l_playMusic(lua_State *L);
int l_pauseMusic(lua_State *L);
int l_musicVolume(lua_State *L);
int l_freeSound(lua_State *L);
int l_freeMusic(lua_State *L);

// console.cpp: the character-cell console's start-up, cell writes, refresh.
int l_curses_init(lua_State *L);
int l_curses_refresh(lua_State *L);
int l_curses_addch(lua_State *L);
int l_curses_setcol(lua_State *L);
int l_curses_fill(lua_State *L);

#endif
