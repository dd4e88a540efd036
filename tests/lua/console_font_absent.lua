-- status: 1
-- No font path at all.
local z = require "zedodava"
z.curses_init(80, 25)
print("not reached")
