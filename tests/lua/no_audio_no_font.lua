-- No audio device and no font: the mixer's line comes before the font's.
local z = require "zedodava"
z.curses_init(20, 5, "/nonexistent/zedodava.ttf", 16)
