-- status: 1
-- env: SDL_VIDEODRIVER=no-such-driver
local z = require "zedodava"
z.curses_init(80, 25, "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf", 16)
