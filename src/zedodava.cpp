// The module's entry point and its function table.
#include "zedodava.h"

#include "extra.h"
#include "handlers.h"

static const luaL_Reg R[] = {
    {"init", l_init},
    {"quit", l_quit},
    {"fill", l_fill},
    {"flip", l_flip},
    {"input", l_input},
    {"mouse", l_mouse},
    {"isKeyDown", l_isKeyDown},
    {"loadImage", l_loadImage},
    {"makeSurf", l_makeSurf},
    {"blit", l_blit},
    {"freeSurf", l_freeSurf},
    {"timer", l_timer},
    {"putpix", l_putpix},
    {"loadFont", l_loadFont},
    {"printFont", l_printFont},
    {"freeFont", l_freeFont},
    {"showCursor", l_showCursor},
    {"draw", l_draw},
    {"drawTri", l_drawTri},
    {"loadSound", l_loadSound},
    {"loadMusic", l_loadMusic},
    {"playSound", l_playSound},
    {"playMusic", l_playMusic},
    {"pauseMusic", l_pauseMusic},
    {"musicVolume", l_musicVolume},
    {"freeSound", l_freeSound},
    {"freeMusic", l_freeMusic},
    {"curses_init", l_curses_init},
    {"curses_refresh", l_curses_refresh},
    {"curses_addch", l_curses_addch},
    {"curses_setcol", l_curses_setcol},
    {"curses_fill", l_curses_fill},
    {nullptr, nullptr},
};

static_assert(sizeof(R) / sizeof(R[0]) == 33, "32 functions and the terminator");

int luaopen_zedodava(lua_State *L)
{
    preload_extra(L);
#if LUA_VERSION_NUM == 501
    luaL_register(L, "zedodava", R);
#else
    // Newer interpreters have no luaL_register: build the same table and
    // publish it under the same global name.
    luaL_newlib(L, R);
    lua_pushvalue(L, -1);
    lua_setglobal(L, "zedodava");
#endif
    return 1;
}
