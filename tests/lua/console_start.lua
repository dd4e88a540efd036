-- Console start-up, a frame, shutdown, and a console started twice.
local z = require "zedodava"
local mono = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf"
print(z.curses_init(80.9, 25.9, mono, 16.7))
z.curses_fill(0, 0, 80, 25, ".", 255, 255, 255, 0, 0, 0)
z.curses_addch("@", 40, 12)
z.curses_setcol(40, 12, 255, 255, 0)
z.curses_refresh()
z.flip()
print(z.curses_init(40, 10, mono, 8))
z.curses_refresh()
z.quit()
-- Released: the writes and the refresh have nothing to touch.
z.curses_addch("x", 0, 0)
z.curses_fill(0, 0, 10, 10, "x", 1, 2, 3, 4, 5, 6)
z.curses_refresh()
z.quit()
