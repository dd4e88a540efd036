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

#endif
