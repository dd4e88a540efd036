-- A full console refresh: one glyph render, fill and blit per cell.
local z = require "zedodava"
local bench = require "bench"

local MONO = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf"
local addch, setcol, rand = z.curses_addch, z.curses_setcol, bench.rand

-- Opens a console and fills it with the same pseudo-random characters and
-- colours as the C baseline.
local function grid_open(cols, rows)
    z.curses_init(cols, rows, MONO, 16)
    for y = 0, rows - 1 do
        for x = 0, cols - 1 do
            addch(string.char(33 + rand(94)), x, y)
            setcol(x, y, rand(256), rand(256), rand(256), rand(256), rand(256), rand(256))
        end
    end
    collectgarbage() -- the filling's garbage is not part of the workload
end

local refresh = z.curses_refresh
local function run(n)
    for _ = 1, n do refresh() end
end

grid_open(80, 25)
bench.report("console_refresh_80x25", 50, run)
grid_open(160, 50)
bench.report("console_refresh_160x50", 12, run)
grid_open(240, 67)
bench.report("console_refresh_240x67", 5, run)
z.quit()
