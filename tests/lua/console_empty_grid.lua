-- status: 1
-- A grid with no columns has no window to open.
local z = require "zedodava"
z.curses_init(0, 25, "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf", 16)
