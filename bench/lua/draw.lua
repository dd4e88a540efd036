-- Drawing: pixel writes, fills, every shape style and an alpha-sprite blit,
-- at the same positions as the plain-C side (c/draw.c).
local z = require "zedodava"
local bench = require "bench"

local NPOS = 1024
z.init(640, 480)
local xs, ys = bench.positions(NPOS, 608, 448)
local sprite = z.makeSurf(32, 32)
z.fill(0, 0, 0, 0, 255, 0, 0, 128, sprite)

local putpix, fill, draw, drawTri, blit = z.putpix, z.fill, z.draw, z.drawTri, z.blit

bench.report("putpix", 1000000, function(n)
    for i = 0, n - 1 do
        local k = i % NPOS + 1
        putpix(xs[k], ys[k], 200, 100, 50, 255)
    end
end)
bench.report("fill_32x32", 200000, function(n)
    for i = 0, n - 1 do
        local k = i % NPOS + 1
        fill(xs[k], ys[k], 32, 32, 200, 100, 50, 255)
    end
end)
bench.report("fill_screen", 2000, function(n)
    for i = 0, n - 1 do
        fill(0, 0, 0, 0, 0, 0, i, 255)
    end
end)

-- draw(x1, y1, x2, y2, ...) for lines and rectangles: a 32 by 21 or 32 by 32 box.
local function two_corners(name, n, dy, kind, style)
    bench.report(name, n, function(n)
        for i = 0, n - 1 do
            local k = i % NPOS + 1
            local x, y = xs[k], ys[k]
            draw(x, y, x + 31, y + dy, 200, 100, 50, 255, kind, style)
        end
    end)
end
-- Circles of radius 16 centred in the same box.
local function circle(name, n, style)
    bench.report(name, n, function(n)
        for i = 0, n - 1 do
            local k = i % NPOS + 1
            draw(xs[k] + 16, ys[k] + 16, 16, 0, 200, 100, 50, 255, 2, style)
        end
    end)
end
local function triangle(name, n, style)
    bench.report(name, n, function(n)
        for i = 0, n - 1 do
            local k = i % NPOS + 1
            local x, y = xs[k], ys[k]
            drawTri(x, y, x + 31, y + 8, x + 10, y + 31, 200, 100, 50, 255, style)
        end
    end)
end

two_corners("draw_line", 200000, 20, 0, 0)
two_corners("draw_aaline", 100000, 20, 0, 1)
two_corners("draw_rectangle", 200000, 31, 1, 0)
two_corners("draw_box", 100000, 31, 1, 2)
circle("draw_circle", 100000, 0)
circle("draw_aacircle", 20000, 1)
circle("draw_filled_circle", 100000, 2)
triangle("drawTri_trigon", 100000, 0)
triangle("drawTri_aatrigon", 50000, 1)
triangle("drawTri_filled", 50000, 2)

bench.report("blit_32x32_alpha", 200000, function(n)
    for i = 0, n - 1 do
        local k = i % NPOS + 1
        blit(sprite, xs[k], ys[k])
    end
end)
-- zedodava.extra's sprite calls: a 32x32 frame of a 128x32 sheet, the
-- sprite stretched to 64x64, turned and zoomed into a new surface (freed
-- again), and blitted at an opacity that changes every call.
local x = require "zedodava.extra"
local sheet = z.makeSurf(128, 32)
z.fill(0, 0, 0, 0, 0, 255, 0, 128, sheet)
local blitPart, blitScaled, blitAlpha, transform, freeSurf = x.blitPart, x.blitScaled, x.blitAlpha, x.transform, z.freeSurf
bench.report("blitPart_32x32_of_sheet", 200000, function(n)
    for i = 0, n - 1 do
        local k = i % NPOS + 1
        blitPart(sheet, i % 4 * 32, 0, 32, 32, xs[k], ys[k])
    end
end)
bench.report("blitScaled_32_to_64", 100000, function(n)
    for i = 0, n - 1 do
        local k = i % NPOS + 1
        blitScaled(sprite, xs[k], ys[k], 64, 64)
    end
end)
bench.report("transform_32_turn_zoom", 20000, function(n)
    for i = 0, n - 1 do
        freeSurf((transform(sprite, i % 360, 1.5, 1.5, true)))
    end
end)
bench.report("blitAlpha_32x32", 200000, function(n)
    for i = 0, n - 1 do
        local k = i % NPOS + 1
        blitAlpha(sprite, xs[k], ys[k], i % 256)
    end
end)
z.freeSurf(sheet)
z.freeSurf(sprite)
z.quit()
