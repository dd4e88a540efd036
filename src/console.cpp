// Character-cell console: start-up, cell writes and refresh.
#include <cstdlib>

#include "args.h"
#include "zedodava.h"

void console_release()
{
    TTF_CloseFont(CC.font);
    free(CC.chars);
    free(CC.fgColors);
    free(CC.bgColors);
    CC = ConsoleRecord{};
    curses_on = 0;
}

int l_curses_init(lua_State *) { return 0; }
int l_curses_refresh(lua_State *) { return 0; }
int l_curses_addch(lua_State *) { return 0; }
int l_curses_setcol(lua_State *) { return 0; }
int l_curses_fill(lua_State *) { return 0; }
