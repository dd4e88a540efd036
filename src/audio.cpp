// Audio: sound effects and music through the mixer. When start-up could not
// open the mixer (sound_on 0), and before start-up or after quit, every
// function here returns at once: it reads no argument, touches no file and
// returns no values. Handles that are not live of the right kind are ignored.
#include <SDL_mixer.h>

#include "args.h"
#include "handles.h"
#include "zedodava.h"

bool audio_ready() { return sound_on && Mix_QuerySpec(nullptr, nullptr, nullptr); }

template <typename T> static T *arg_handle(lua_State *L, int i, HandleKind kind)
{
    void *p = lua_touserdata(L, i);
    return handle_live(p, kind) ? static_cast<T *>(p) : nullptr;
}

// loadSound(path) -> sound. The whole file is decoded into a mixer chunk.
int l_loadSound(lua_State *L)
{
    if (!audio_ready())
        return 0;
    const char *path = lua_tolstring(L, 1, nullptr);
    Mix_Chunk *chunk = path ? Mix_LoadWAV_RW(SDL_RWFromFile(path, "rb"), 1) : nullptr;
    if (!chunk)
        fatal("Couldn't load sound %s. Exiting.\n", path ? path : "(null)");
    register_handle(chunk, HANDLE_SOUND);
    lua_pushlightuserdata(L, chunk);
    return 1;
}

// loadMusic(path) -> music. The file is streamed while it plays.
int l_loadMusic(lua_State *L)
{
    if (!audio_ready())
        return 0;
    const char *path = lua_tolstring(L, 1, nullptr);
    Mix_Music *music = path ? Mix_LoadMUS(path) : nullptr;
    if (!music)
        fatal("Couldn't load music %s. Exiting.\n", path ? path : "(null)");
    register_handle(music, HANDLE_MUSIC);
    lua_pushlightuserdata(L, music);
    return 1;
}

// playSound(sound, loops): on the first free channel, loops + 1 times (-1
// without end). A sound with no free channel is dropped.
int l_playSound(lua_State *L)
{
    if (!audio_ready())
        return 0;
    Mix_Chunk *chunk = arg_handle<Mix_Chunk>(L, 1, HANDLE_SOUND);
    int32_t loops = arg_int(L, 2);
    if (chunk)
        Mix_PlayChannelTimed(-1, chunk, loops, -1);
    return 0;
}

// playMusic(music, loops): replaces whatever music was playing.
int l_playMusic(lua_State *L)
{
    if (!audio_ready())
        return 0;
    Mix_Music *music = arg_handle<Mix_Music>(L, 1, HANDLE_MUSIC);
    int32_t loops = arg_int(L, 2);
    if (music)
        Mix_PlayMusic(music, loops);
    return 0;
}

// pauseMusic(): toggles between paused and playing.
int l_pauseMusic(lua_State *)
{
    if (!audio_ready())
        return 0;
    if (Mix_PausedMusic())
        Mix_ResumeMusic();
    else
        Mix_PauseMusic();
    return 0;
}

// musicVolume(volume) -> previous volume. -1 only reads it; a missing
// argument reads as 0 and silences the music.
int l_musicVolume(lua_State *L)
{
    if (!audio_ready())
        return 0;
    push_int(L, Mix_VolumeMusic(arg_int(L, 1)));
    return 1;
}

int l_freeSound(lua_State *L)
{
    if (!audio_ready())
        return 0;
    void *chunk = lua_touserdata(L, 1);
    if (handle_remove(chunk, HANDLE_SOUND))
        Mix_FreeChunk(static_cast<Mix_Chunk *>(chunk));
    return 0;
}

int l_freeMusic(lua_State *L)
{
    if (!audio_ready())
        return 0;
    void *music = lua_touserdata(L, 1);
    if (handle_remove(music, HANDLE_MUSIC))
        Mix_FreeMusic(static_cast<Mix_Music *>(music));
    return 0;
}
