// Display lifecycle: start-up, page flip, cursor visibility and shutdown.
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include <SDL_mixer.h>

#include "args.h"
#include "handles.h"
#include "zedodava.h"

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

int l_init(lua_State *L)
{
    int32_t w = arg_int(L, 1);
    int32_t h = arg_int(L, 2);
    bool full = arg_bool(L, 3);
    gl_on = arg_bool(L, 4) ? 1 : 0;

    printf("zarn init (%dx%d)", w, h);
    if (full)
        printf(", fullscreen");
    if (gl_on)
        printf(", OpenGL mode");
    printf("\n");

    start_sdl();

    Uint32 flags = full ? SDL_FULLSCREEN : 0;
    if (gl_on) {
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        gl_on = SDL_OPENGL;
    }
    flags |= static_cast<Uint32>(gl_on) | SDL_DOUBLEBUF | SDL_HWSURFACE;

    gScreen = SDL_SetVideoMode(w, h, 32, flags);
    if (!gScreen)
        fatal("Couldn't set %dx%d video mode: %s\n", w, h, SDL_GetError());

    start_ttf();
    open_mixer();
    return 0;
}

int l_flip(lua_State *)
{
    if (gl_on)
        SDL_GL_SwapBuffers();
    else if (gScreen)
        SDL_Flip(gScreen);
    return 0;
}

int l_showCursor(lua_State *L)
{
    SDL_ShowCursor(arg_bool(L, 1) ? 1 : 0);
    return 0;
}

// What quit does with the handles the script still holds: fonts, sounds and
// music belong to libraries that shut down here, so they are released now and
// their handles become stale (every function ignores them). Surfaces in
// ordinary memory stay valid and usable; surfaces in video memory go with it.
static bool close_font(void *p)
{
    TTF_CloseFont(static_cast<TTF_Font *>(p));
    return true;
}

static bool free_sound(void *p)
{
    Mix_FreeChunk(static_cast<Mix_Chunk *>(p));
    return true;
}

static bool free_music(void *p)
{
    Mix_FreeMusic(static_cast<Mix_Music *>(p));
    return true;
}

static bool free_video_surface(void *p)
{
    SDL_Surface *s = static_cast<SDL_Surface *>(p);
    if (!(s->flags & SDL_HWSURFACE))
        return false;
    SDL_FreeSurface(s);
    return true;
}

int l_quit(lua_State *)
{
    puts("zarn quit");
    if (curses_on)
        console_release();
    handle_sweep(HANDLE_MUSIC, free_music);
    handle_sweep(HANDLE_SOUND, free_sound);
    handle_sweep(HANDLE_FONT, close_font);
    handle_sweep(HANDLE_SURFACE, free_video_surface);
    Mix_CloseAudio();
    TTF_Quit();
    SDL_Quit();
    gScreen = nullptr; // the display surface went with SDL
    return 0;
}
