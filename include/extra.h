// zedodava.extra: the second table of script functions, served by the same
// library as the first (see extra.cpp).
#ifndef ZEDODAVA_EXTRA_H
#define ZEDODAVA_EXTRA_H

#include <lua.hpp>

// Makes package.preload["zedodava.extra"] build the table, so that require
// finds it once zedodava is loaded. Leaves the stack as it was.
void preload_extra(lua_State *L);

#endif
