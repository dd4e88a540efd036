-- status: 1
-- env: SDL_AUDIODRIVER=no-such-driver
-- The mixer is opened before the font: its line comes first.
local z = require "zedodava"
z.curses_init(20, 5, "/nonexistent/zedodava.ttf", 16)
