// Text: TrueType fonts and rendered strings.
#include "args.h"
#include "zedodava.h"

int l_loadFont(lua_State *) { return 0; }
int l_printFont(lua_State *) { return 0; }
int l_freeFont(lua_State *) { return 0; }
