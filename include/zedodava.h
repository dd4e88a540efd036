// The module's entry point, which registers the script functions.
#ifndef ZEDODAVA_H
#define ZEDODAVA_H

#include <lua.hpp>

#include "core.h"

extern "C" ZD_EXPORT int luaopen_zedodava(lua_State *L);

#endif
