-- The console: cell sizes, a second start-up, writes after quit.
local z = require "zedodava"
local MONO = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf"
print(z.curses_init(80.9, 25.9, MONO, 16.7))
z.curses_fill(0, 0, 80, 25, ".", 255, 255, 255, 0, 0, 0)
z.curses_addch("@", 40, 12)
z.curses_refresh()
print(z.curses_init(40, 10, MONO, 8))
z.quit()
z.curses_addch("x", 0, 0) z.curses_fill(0, 0, 10, 10, "x", 1, 2, 3, 4, 5, 6) z.curses_refresh()
