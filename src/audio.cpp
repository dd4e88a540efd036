// Audio: sound effects and music through the mixer. When start-up could not
// open the mixer (sound_on 0) every function here returns at once: it reads
// no argument, touches no file and returns no values.
#include <SDL_mixer.h>

#include "args.h"
#include "zedodava.h"

// loadSound(path) -> sound. The whole file is decoded into a mixer chunk.
int l_loadSound(lua_State *L)
{
    if (!sound_on)
        return 0;
    const char *path = lua_tolstring(L, 1, nullptr);
    Mix_Chunk *chunk = path ? Mix_LoadWAV_RW(SDL_RWFromFile(path, "rb"), 1) : nullptr;
    if (!chunk)
        fatal("Couldn't load sound %s. Exiting.\n", path ? path : "(null)");
    lua_pushlightuserdata(L, chunk);
    return 1;
}

// loadMusic(path) -> music. The file is streamed while it plays.
int l_loadMusic(lua_State *L)
{
    if (!sound_on)
        return 0;
    const char *path = lua_tolstring(L, 1, nullptr);
    Mix_Music *music = path ? Mix_LoadMUS(path) : nullptr;
    if (!music)
        fatal("Couldn't load music %s. Exiting.\n", path ? path : "(null)");
    lua_pushlightuserdata(L, music);
    return 1;
}

// playSound(sound, loops): on the first free channel, loops + 1 times (-1
// without end). A sound with no free channel is dropped.
int l_playSound(lua_State *L)
{
    if (!sound_on)
        return 0;
    Mix_Chunk *chunk = static_cast<Mix_Chunk *>(lua_touserdata(L, 1));
    int32_t loops = arg_int(L, 2);
    if (chunk)
        Mix_PlayChannelTimed(-1, chunk, loops, -1);
    return 0;
}

// playMusic(music, loops): replaces whatever music was playing.
int l_playMusic(lua_State *L)
{
    if (!sound_on)
        return 0;
    Mix_Music *music = static_cast<Mix_Music *>(lua_touserdata(L, 1));
    int32_t loops = arg_int(L, 2);
    if (music)
        Mix_PlayMusic(music, loops);
    return 0;
}

// pauseMusic(): toggles between paused and playing.
int l_pauseMusic(lua_State *)
{
    if (!sound_on)
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
    if (!sound_on)
        return 0;
    push_int(L, Mix_VolumeMusic(arg_int(L, 1)));
    return 1;
}

int l_freeSound(lua_State *L)
{
    if (!sound_on)
        return 0;
    Mix_Chunk *chunk = static_cast<Mix_Chunk *>(lua_touserdata(L, 1));
    if (chunk)
        Mix_FreeChunk(chunk);
    return 0;
}

int l_freeMusic(lua_State *L)
{
    if (!sound_on)
        return 0;
    Mix_Music *music = static_cast<Mix_Music *>(lua_touserdata(L, 1));
    if (music)
        Mix_FreeMusic(music);
    return 0;
}
