-- status: 1
-- A font that cannot be opened ends start-up after the banner.
local z = require "zedodava"
z.curses_init(80, 25, "/nonexistent/zedodava.ttf", 16)
print("not reached")
