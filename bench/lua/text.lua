-- Text: a 20-character string drawn onto the screen (draw mode) and rendered
-- into a kept surface that is then freed (keep mode), at the same positions
-- as the plain-C side (c/text.c).
local z = require "zedodava"
local bench = require "bench"

local NPOS = 1024
local TEXT = "Score: 0123456789 ok"
z.init(640, 480)
local font = z.loadFont("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 16)
local xs, ys = bench.positions(NPOS, 480, 460)

local printFont, freeSurf = z.printFont, z.freeSurf

bench.report("printFont_draw_20ch", 5000, function(n)
    for i = 0, n - 1 do
        local k = i % NPOS + 1
        printFont(font, TEXT, 255, 200, 100, xs[k], ys[k])
    end
end)
bench.report("printFont_keep_20ch", 5000, function(n)
    for _ = 1, n do
        freeSurf((printFont(font, TEXT, 255, 200, 100, 0, 0, nil, true)))
    end
end)

z.freeFont(font)
z.quit()
