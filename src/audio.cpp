// Audio: sound effects and music through the mixer.
#include "args.h"
#include "zedodava.h"

int l_loadSound(lua_State *) { return 0; }
int l_loadMusic(lua_State *) { return 0; }
int l_playSound(lua_State *) { return 0; }
int l_playMusic(lua_State *) { return 0; }
int l_pauseMusic(lua_State *) { return 0; }
int l_musicVolume(lua_State *) { return 0; }
int l_freeSound(lua_State *) { return 0; }
int l_freeMusic(lua_State *) { return 0; }
