-- A colour channel that is neither nil nor a number is the one Lua error.
local z = require "zedodava"
z.curses_init(4, 3, "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf", 12)
local function try(...)
    local ok, msg = pcall(...)
    -- Interpreters name the function differently; the rest is the same.
    print(ok, msg and (msg:gsub(" to '[^']*'", "")))
end
try(z.curses_setcol, 1, 1, "red")
try(z.curses_setcol, 99, 99, 1, 2, 3, 4, 5, {})
try(z.curses_fill, 0, 0, 4, 3, "x", 1, 2, 3, 4, 5, true)
try(z.curses_fill, 0, 0, 0, 0, nil, "10", nil, "0x10", nil)
try(z.curses_setcol, 0, 0, nil, nil, nil, nil, nil, nil)
z.quit()
