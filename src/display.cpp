// Display lifecycle: start-up, page flip, cursor visibility and shutdown.
#include "handlers.h"

#include <cstdio>

#include "args.h"
#include "core.h"
#include "handles.h"

int l_init(lua_State *L)
{
    int32_t w = arg_int(L, 1);
    int32_t h = arg_int(L, 2);
    bool full = arg_bool(L, 3);
    bool gl = arg_bool(L, 4);
    // gl_on is exported and native code reads it, so it keeps its published
    // values rather than being a plain flag: the boolean while SDL starts,
    // then the video-mode flag OpenGL adds (SDL_OPENGL, 2). flip only tests
    // it for non-zero; init's own choices read gl.
    gl_on = gl ? 1 : 0;

    printf("zarn init (%dx%d)", w, h);
    if (full)
        printf(", fullscreen");
    if (gl)
        printf(", OpenGL mode");
    printf("\n");

    start_sdl();

    Uint32 flags = (full ? SDL_FULLSCREEN : 0) | SDL_DOUBLEBUF | SDL_HWSURFACE;
    if (gl) {
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        gl_on = SDL_OPENGL;
        flags |= SDL_OPENGL;
    }

    gScreen = SDL_SetVideoMode(w, h, 32, flags);
    if (!gScreen)
        fatal("Couldn't set %dx%d video mode: %s\n", w, h, SDL_GetError());

    start_ttf();
    open_mixer();
    return 0;
}

// gl_on keeps its value after quit, so the display is looked at first: the
// buffer swap reaches into SDL's video state, which quit has torn down.
int l_flip(lua_State *)
{
    if (!gScreen)
        return 0;
    if (gl_on)
        SDL_GL_SwapBuffers();
    else
        SDL_Flip(gScreen);
    return 0;
}

int l_showCursor(lua_State *L)
{
    SDL_ShowCursor(arg_bool(L, 1) ? 1 : 0);
    return 0;
}

int l_quit(lua_State *)
{
    puts("zarn quit");
    release_handles_at_quit();
    stop_libraries();
    return 0;
}
