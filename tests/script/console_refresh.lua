-- The console's refresh: each cell's background over exactly its rectangle,
-- and the glyph blended over it in the foreground colour. A channel that is
-- not a number raises before any cell changes.
dofile((arg[0]:match("^(.*/)") or "./") .. "prelude.lua")
CW, CH = Z.curses_init(6, 5, MONO, 16) Z.fill(0, 0, 0, 0, 0, 255, 0, 255)
Z.curses_setcol(1, 1, nil, nil, nil, 0, 0, 255) Z.curses_fill(2, 3, 1, 1, 'A', 255, 0, 0, 0, 0, 255)
Z.curses_fill(5, 4, 1, 1, '#', 0, 0, 0, 30, 40, 50) Z.curses_refresh()
local red, dark = 0, 0
for y = 0, 5 * CH - 1 do
    for x = 0, 6 * CW - 1 do
        local p, cx, cy = px(x, y), math.floor(x / CW), math.floor(y / CH)
        if cx == 2 and cy == 3 then -- only blends of red over blue
            local r, g, b = math.floor(p / 65536), math.floor(p / 256) % 256, p % 256
            assert(g == 0 and math.abs(r + b - 255) <= 2, x .. "," .. y)
            red = red + (p == 0xFF0000 and 1 or 0)
        elseif cx == 5 and cy == 4 then
            dark = dark + (p == 0x1E2832 and 1 or 0)
        else
            assert(p == (cx == 1 and cy == 1 and 0x0000FF or 0xFFFFFF), x .. "," .. y)
        end
    end
end
assert(red > 10 and dark > CW * CH / 2, red .. " " .. dark)
for _, r in ipairs{{"setcol(1, 1, 'red')", "#3 to 'curses_setcol'"},
                   {"setcol(0, 0, 1, 2, 3, 4, 5, {})", "#8 to 'curses_setcol'"},
                   {"setcol(99, 99, true)", "#3 to 'curses_setcol'"},
                   {"fill(0, 0, 6, 5, 'x', 1, 2, 3, 4, 5, 'red')", "#11 to 'curses_fill'"},
                   {"fill(0, 0, 0, 0, 'x', 'red')", "#6 to 'curses_fill'"}} do
    local ok, msg = pcall((loadstring or load)("Z.curses_" .. r[1])) -- not a tail call: named
    assert(not ok and msg:find("bad argument " .. r[2], 1, true), msg)
    assert(cell(0, 0) == "  000000 FFFFFF" and cell(2, 3) == "A FF0000 0000FF", r[1])
end
