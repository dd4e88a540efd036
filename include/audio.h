// Script functions of audio: sound effects and music.
#ifndef ZEDODAVA_AUDIO_H
#define ZEDODAVA_AUDIO_H

#include <lua.hpp>

int l_loadSound(lua_State *L);
int l_loadMusic(lua_State *L);
int l_playSound(lua_State *L);
int l_playMusic(lua_State *L);
int l_pauseMusic(lua_State *L);
int l_musicVolume(lua_State *L);
int l_freeSound(lua_State *L);
int l_freeMusic(lua_State *L);

// Whether the mixer is open for the script: sound on and started.
bool mixer_open();

// Halts the music if it is fading out (see audio.cpp).
void end_music_fade();

#endif
