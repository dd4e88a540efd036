-- No video device: the console cannot start.
local z = require "zedodava"
z.curses_init(80, 25, "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf", 16)
