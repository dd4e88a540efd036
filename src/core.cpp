// The process-wide state, the libraries' start-up and shutdown, fatal.
#include "core.h"

#include "console.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include <SDL_mixer.h>

SDL_Surface *gScreen = nullptr;
int32_t sound_on = 1;
// Native readers see the flag that OpenGL added to the video mode
// (SDL_OPENGL) once init has set it, not a plain boolean: see l_init.
int32_t gl_on = 0;
int32_t curses_on = 0;
ConsoleRecord CC = {};

void fatal(const char *fmt, ...)
{
    va_list ap;
    va_start(ap, fmt);
    vprintf(fmt, ap);
    va_end(ap);
    exit(1);
}

void start_sdl()
{
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_AUDIO) < 0)
        fatal("Couldn't initialize SDL: %s\n", SDL_GetError());
}

// The font library and the mixer count their start-ups and close only at the
// matching number of shutdowns; quit shuts each down once, so a second init
// without quit must not start them again.
void start_ttf()
{
    if (!TTF_WasInit() && TTF_Init() < 0)
        fatal("Couldn't initialize SDL_ttf: %s\n", SDL_GetError());
}

// A missing audio device is not fatal: the engine runs silently.
void open_mixer()
{
    if (Mix_QuerySpec(nullptr, nullptr, nullptr))
        return; // already open
    if (Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 4096) < 0) {
        printf("Couldn't initialize SDL_mixer: %s\n", SDL_GetError());
        sound_on = 0;
    }
}

void console_release()
{
    if (!curses_on)
        return;
    console_cache_drop();
    TTF_CloseFont(CC.font);
    free(CC.chars);
    free(CC.fgColors);
    free(CC.bgColors);
    CC = ConsoleRecord{};
    curses_on = 0;
}

void stop_libraries()
{
    console_release();
    Mix_CloseAudio();
    TTF_Quit();
    SDL_Quit();
    gScreen = nullptr; // the display surface went with SDL
}
