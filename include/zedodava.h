// Declarations shared by the module's sources: the process-wide state, the
// console record, the exported pixel writer and every script handler.
#ifndef ZEDODAVA_H
#define ZEDODAVA_H

#include <cstdint>

#include <lua.hpp>

#include <SDL.h>
#include <SDL_ttf.h>

#define ZD_EXPORT __attribute__((visibility("default")))

// The console record: one font, the cell size, the grid size and three cell
// arrays stored row by row (cell index y * cols + x).
struct ConsoleRecord {
    TTF_Font *font;
    int32_t cellWidth;  // advance of '@'
    int32_t cellHeight; // line skip
    int32_t cols;
    int32_t rows;
    int32_t cellCount; // rows * cols
    uint8_t *chars;    // one byte per cell
    uint8_t *fgColors; // four bytes per cell: r, g, b, 0
    uint8_t *bgColors; // four bytes per cell: r, g, b, 0xFF
};

extern "C" {
ZD_EXPORT extern SDL_Surface *gScreen;
ZD_EXPORT extern int32_t sound_on;
ZD_EXPORT extern int32_t gl_on;
ZD_EXPORT extern int32_t curses_on;
ZD_EXPORT extern ConsoleRecord CC;

// Stores one pixel value (already in the surface's format) at x, y of a
// locked surface. Neither locks nor tests the position.
ZD_EXPORT void putpixel(SDL_Surface *surface, Uint16 x, Uint16 y, Uint32 pixel);

ZD_EXPORT int luaopen_zedodava(lua_State *L);
}

// Start-up pieces shared by init and curses_init (display.cpp).
[[noreturn]] void fatal(const char *fmt, ...) __attribute__((format(printf, 1, 2)));
void start_sdl();
void start_ttf();
void open_mixer();

// Surface handles (surface.cpp). arg_target reads a target argument: absent
// or nil is gScreen, a live surface handle is itself, anything else null.
SDL_Surface *arg_target(lua_State *L, int i);
// Converts to the display's format with alpha and frees the original; null
// when there is no display or the conversion fails.
SDL_Surface *to_display_alpha(SDL_Surface *first);
// Registers a new surface handle and pushes it with its width and height.
int push_surface(lua_State *L, SDL_Surface *s);

// The console's share of quit: closes the font and frees the cell arrays once.
void console_release();

// Whether the mixer is open for the audio functions: sound on and started.
bool audio_ready();

// Script handlers, one per function of the module table.
int l_init(lua_State *L);
int l_quit(lua_State *L);
int l_fill(lua_State *L);
int l_flip(lua_State *L);
int l_input(lua_State *L);
int l_mouse(lua_State *L);
int l_isKeyDown(lua_State *L);
int l_loadImage(lua_State *L);
int l_makeSurf(lua_State *L);
int l_blit(lua_State *L);
int l_freeSurf(lua_State *L);
int l_timer(lua_State *L);
int l_putpix(lua_State *L);
int l_loadFont(lua_State *L);
int l_printFont(lua_State *L);
int l_freeFont(lua_State *L);
int l_showCursor(lua_State *L);
int l_draw(lua_State *L);
int l_drawTri(lua_State *L);
int l_loadSound(lua_State *L);
int l_loadMusic(lua_State *L);
int l_playSound(lua_State *L);
int l_playMusic(lua_State *L);
int l_pauseMusic(lua_State *L);
int l_musicVolume(lua_State *L);
int l_freeSound(lua_State *L);
int l_freeMusic(lua_State *L);
int l_curses_init(lua_State *L);
int l_curses_refresh(lua_State *L);
int l_curses_addch(lua_State *L);
int l_curses_setcol(lua_State *L);
int l_curses_fill(lua_State *L);

#endif
