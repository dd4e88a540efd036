// Audio: sound effects and music through the mixer. When start-up could not
// open the mixer (sound_on 0), and before start-up or after quit, every
// function here returns at once: it reads no argument, touches no file and
// returns no values. Handles that are not live of the right kind are ignored.
#include "audio.h"
#include "handlers.h"

#include <cstdio>

#include <SDL_mixer.h>

#include "args.h"
#include "core.h"
#include "filecheck.h"
#include "handles.h"

bool mixer_ready() { return sound_on && Mix_QuerySpec(nullptr, nullptr, nullptr); }

// Runs an audio function only while the mixer is ready for it.
template <lua_CFunction body> static int when_ready(lua_State *L)
{
    return mixer_ready() ? body(L) : 0;
}

// The mixer waits for music that is fading out before it plays or frees
// music, and pause stops a fade where it is: a fade that pause holds would
// make those waits endless, and a long one would stall the game. Ending the
// fade at once instead is what the fade would have come to.
void end_music_fade()
{
    if (Mix_FadingMusic() == MIX_FADING_OUT)
        Mix_HaltMusic();
}

// loadSound(path) -> sound. The whole file is decoded into a mixer chunk.
static int load_sound(lua_State *L)
{
    const char *path = lua_tolstring(L, 1, nullptr);
    Mix_Chunk *chunk = path ? Mix_LoadWAV_RW(SDL_RWFromFile(path, "rb"), 1) : nullptr;
    if (!chunk)
        fatal("Couldn't load sound %s. Exiting.\n", path ? path : "(null)");
    register_handle(chunk, HANDLE_SOUND);
    lua_pushlightuserdata(L, chunk);
    return 1;
}

// loadMusic(path) -> music. The file is streamed while it plays. A file the
// mixer would crash or hang on is refused as one it cannot decode, with the
// reason on standard error.
static int load_music(lua_State *L)
{
    const char *path = lua_tolstring(L, 1, nullptr);
    char why[320];
    bool refused = path && music_hazard(path, why, sizeof why);
    if (refused)
        fprintf(stderr, "%s: %s\n", path, why);
    Mix_Music *music = path && !refused ? Mix_LoadMUS(path) : nullptr;
    if (!music)
        fatal("Couldn't load music %s. Exiting.\n", path ? path : "(null)");
    register_handle(music, HANDLE_MUSIC);
    lua_pushlightuserdata(L, music);
    return 1;
}

// playSound(sound, loops): on the first free channel, loops + 1 times (-1
// without end). A sound with no free channel is dropped.
static int play_sound(lua_State *L)
{
    Mix_Chunk *chunk = arg_handle<Mix_Chunk>(L, 1, HANDLE_SOUND);
    int32_t loops = arg_int(L, 2);
    if (chunk)
        Mix_PlayChannelTimed(-1, chunk, loops, -1);
    return 0;
}

// playMusic(music, loops): replaces whatever music was playing.
static int play_music(lua_State *L)
{
    Mix_Music *music = arg_handle<Mix_Music>(L, 1, HANDLE_MUSIC);
    int32_t loops = arg_int(L, 2);
    if (music) {
        end_music_fade();
        Mix_PlayMusic(music, loops);
    }
    return 0;
}

// pauseMusic(): toggles between paused and playing.
static int pause_music(lua_State *)
{
    if (Mix_PausedMusic())
        Mix_ResumeMusic();
    else
        Mix_PauseMusic();
    return 0;
}

// musicVolume(volume) -> previous volume. -1 only reads it; a missing
// argument reads as 0 and silences the music.
static int music_volume(lua_State *L)
{
    push_int(L, Mix_VolumeMusic(arg_int(L, 1)));
    return 1;
}

static int free_sound(lua_State *L) { return free_handle_arg(L, HANDLE_SOUND); }
static int free_music(lua_State *L) { return free_handle_arg(L, HANDLE_MUSIC); }

int l_loadSound(lua_State *L) { return when_ready<load_sound>(L); }
int l_loadMusic(lua_State *L) { return when_ready<load_music>(L); }
int l_playSound(lua_State *L) { return when_ready<play_sound>(L); }
int l_playMusic(lua_State *L) { return when_ready<play_music>(L); }
int l_pauseMusic(lua_State *L) { return when_ready<pause_music>(L); }
int l_musicVolume(lua_State *L) { return when_ready<music_volume>(L); }
int l_freeSound(lua_State *L) { return when_ready<free_sound>(L); }
int l_freeMusic(lua_State *L) { return when_ready<free_music>(L); }
