-- A colour channel that is neither nil nor a number is the one Lua error.
local z = require "zedodava"
z.curses_init(4, 3, "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf", 12)
print(pcall(z.curses_setcol, 1, 1, "red"))
print(pcall(z.curses_setcol, 99, 99, 1, 2, 3, 4, 5, {}))
print(pcall(z.curses_fill, 0, 0, 4, 3, "x", 1, 2, 3, 4, 5, true))
print(pcall(z.curses_fill, 0, 0, 0, 0, nil, "10", nil, "0x10", nil))
print(pcall(z.curses_setcol, 0, 0, nil, nil, nil, nil, nil, nil))
z.quit()
