-- The console's cell writes, read back from its cell arrays. Each row starts
-- from a blank 5 by 3 grid (spaces, black on white), makes its calls, gives
-- the grid's characters, then the cells with other colours.
dofile((arg[0]:match("^(.*/)") or "./") .. "prelude.lua")
CW, CH = Z.curses_init(80.9, 25.9, MONO, 16.7)
assert(select(2, pa(0, 0)) == 80 * CW and select(3, pa(0, 0)) == 25 * CH)
for i = 0, 1999 do assert(cell(i % 80, math.floor(i / 80)) == "  000000 FFFFFF", i) end
Z.curses_init(5, 3, MONO, 16) -- replaces the first
for _, r in ipairs{
    {"addch('A', 0, 0) addch('Hello', 4.9, 2.9) addch(42, -0.5, 1) addch('~', 1, 1)",
     "A    4~       H"},
    {"addch('A', 1, 1) addch('\127', 1, 1) addch('B', 2, 1) addch('\t', 2, 1)" ..
     "addch('C', 3, 1) addch('\195\169', 3, 1) addch('D', 4, 1) addch('', 4, 1)" ..
     "addch('X', 4294967295, 0)" ..
     "addch(nil, 1, 1) addch({}, 1, 1)", "               "},
    {"setcol(2, 1, 300, nil, 256 + 7, -1, 0, 9) setcol(1, 1, -0.5, -2147483648, 4294967296 + 9, '16')" ..
     "setcol(-1, 1, 1, 1, 1, 1, 1, 1) setcol(4, 2)", "               ", {"2 1 2C0007 FF0009", "1 1 000009 10FFFF"}},
    -- fill: clipped to the grid; colours only when all three channels are given
    {"fill(-2, -1, 4, 3, '#') fill(3, 1, 9, 9, 'hi', 1, 2, 3)", "##   ## hh   hh",
     {"3 1 010203 FFFFFF", "4 1 010203 FFFFFF", "3 2 010203 FFFFFF", "4 2 010203 FFFFFF"}},
    {"fill(4, 2, 1, 1, nil, 9, 9, nil, 7, 7, 7) fill(0, 2, 1, 1, '\127', nil, nil, nil, 4, 5, 6)",
     "               ", {"4 2 000000 070707", "0 2 000000 040506"}},
    {"fill(0, 0, 0, 3, 'x', 1, 1, 1, 1, 1, 1) fill(0, 0, 5, -1, 'x')" ..
     "fill(2147483647, 0, 2147483647, 5, 'x')" ..
     "fill(-2147483648, 0, 2147483647, 5, 'x') fill(-1e9, 2, 2147483647, 2147483647, '+')",
     "          +++++"},
} do
    Z.curses_fill(0, 0, 5, 3, " ", 0, 0, 0, 255, 255, 255)
    call((r[1]:gsub("(%a+)%(", "Z.curses_%1(")):sub(3))
    local colours = {}
    for _, c in ipairs(r[3] or {}) do colours[c:sub(1, 3)] = c:sub(5) end
    for i = 0, 14 do
        local x, y = i % 5, math.floor(i / 5)
        local want = r[2]:sub(i + 1, i + 1) .. " " .. (colours[x .. " " .. y] or "000000 FFFFFF")
        assert(cell(x, y) == want, r[1] .. " at " .. x .. "," .. y .. ": " .. cell(x, y))
    end
end
for i = 0, 14 do -- the fourth bytes keep their start-up values
    local _, fg, bg = cell(i % 5, math.floor(i / 5))
    assert(fg == 0 and bg == 255, i)
end
-- Each write at the corners of a wide and a tall grid, and one cell past each
-- edge beside them (fill: a rectangle across both); a fill of more than the
-- grid clears it.
for _, g in ipairs{{5, 3, "a   b     c   d"}, {3, 5, "a b         c d"}} do
    local W, H = g[1], g[2]
    Z.curses_init(W, H, MONO, 10)
    local function grid(write) -- after the writes, each cell's character or its red channel as one
        write()
        local s = ""
        for i = 0, W * H - 1 do
            local c = cell(i % W, math.floor(i / W))
            s = s .. (c:sub(3, 4) == "00" and c:sub(1, 1) or string.char(tonumber(c:sub(3, 4), 16)))
        end
        return s, Z.curses_fill(-1, -1, W + 2, H + 2, " ", 0, 0, 0, 255, 255, 255)
    end
    for name, put in pairs{addch = function(x, y, c) Z.curses_addch(c, x, y) end,
                           setcol = function(x, y, c) Z.curses_setcol(x, y, c:byte()) end,
                           fill = function(x, y, c, dx, dy) -- and 3 cells further out
                               Z.curses_fill(x - (dx < 0 and 3 or 0), y - (dy < 0 and 3 or 0), 4, 4, c)
                           end} do
        local s = grid(function()
            for i, k in ipairs{{0, 0, -1, -1}, {W - 1, 0, 1, -1}, {0, H - 1, -1, 1}, {W - 1, H - 1, 1, 1}} do
                local x, y, dx, dy = k[1], k[2], k[3], k[4]
                put(x + dx, y, "X", dx, dy) put(x, y + dy, "X", dx, dy) put(x, y, ("abcd"):sub(i, i), dx, dy)
            end
        end)
        assert(s == g[3], W .. "x" .. H .. " " .. name .. ": " .. s)
    end
    assert(grid(function() end) == string.rep(" ", W * H))
end
Z.quit()
assert(P.console() + select(2, P.console()) + select(3, P.console()) + select(4, P.console()) == 0)
