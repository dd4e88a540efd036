// The process-wide state every area shares, the libraries' start-up and
// shutdown, and the one way to end the process on a failure. Every area may
// use this; it uses none of them but the console's glyph cache, emptied with
// the console.
#ifndef ZEDODAVA_CORE_H
#define ZEDODAVA_CORE_H

#include <cstdint>

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

// Read by native code loaded beside the module under these names.
extern "C" {
ZD_EXPORT extern SDL_Surface *gScreen;
ZD_EXPORT extern int32_t sound_on;
ZD_EXPORT extern int32_t gl_on;
ZD_EXPORT extern int32_t curses_on;
ZD_EXPORT extern ConsoleRecord CC;
}

// The display surface when there is one to draw on: null before init and
// after quit, and in OpenGL mode, where the display has no pixels of its own.
inline SDL_Surface *drawable_screen()
{
    return gScreen && !(gScreen->flags & SDL_OPENGL) ? gScreen : nullptr;
}

// Prints the formatted line to standard output and ends the process with
// status 1.
[[noreturn]] void fatal(const char *fmt, ...) __attribute__((format(printf, 1, 2)));

// Start-up pieces shared by init and curses_init: SDL's video and audio,
// the font library, the mixer. The first two end the process on failure;
// a mixer that cannot be opened prints a line and clears sound_on.
void start_sdl();
void start_ttf();
void open_mixer();

// Closes the console's font and frees its cell arrays, then clears CC and
// curses_on. Only when curses_on is set.
void console_release();

// The libraries' share of quit: the console if there is one, then the
// mixer, the font library and SDL. gScreen goes with SDL.
void stop_libraries();

#endif
