-- Shapes: pixels each primitive lights in the colour asked for (red over
-- blue, green at most half of red, on blended edges too), and dark ones
-- beside; image files as they load.
dofile((arg[0]:match("^(.*/)") or "./") .. "prelude.lua")
Z.init(200, 150)
for _, r in ipairs{
    {"draw(10, 10, 50, 10, C, 0, 0)", {10, 10, 50, 10}, {30, 11, 51, 10, 9, 10}},
    {"draw(10, 10, 50, 50, C, 0, 1)", {30, 30, 50, 50}, {30, 20, 20, 30, 60, 60}},
    {"draw(10, 10, 50, 40, C, 1, 0)", {10, 25, 30, 40}, {30, 25, 9, 25, 51, 25}},
    {"draw(10, 10, 50, 40, C, 1.9, 2.5)", {30, 25, 50, 40}, {51, 25, 30, 41, 9, 9}},
    {"draw(100, 80, 25, 999, C, 2, 0)", {125, 80, 100, 55}, {100, 80, 126, 80, 100, 106}},
    {"draw(100, 80, 25, -7, C, 2, 1)", {125, 80, 75, 80}, {100, 80, 127, 80, 100, 107}},
    {"draw(100, 80, 25, 0, C, 2, 2)", {100, 80, 124, 80}, {126, 80, 100, 106, 130, 110}},
    {"draw(10, 10, 50, 10, C, -0.5, 0)", {10, 10, 30, 10}, {30, 11, 51, 10, 30, 9}},
    {"draw(32768, 10, 50, 40, C, 1, 2)", {0, 25, 50, 25}, {51, 25, 0, 41, 0, 9}},
    {"drawTri(10, 10, 60, 10, 10, 60, C, 0)", {30, 10, 10, 30}, {20, 20, 50, 50, 30, 9}},
    {"drawTri(10, 10, 60, 10, 10, 60, C, 1)", {30, 10, 35, 35}, {20, 20, 50, 50, 30, 8}},
    {"drawTri(10, 10, 60, 10, 10, 60, C, 2.7)", {20, 20, 30, 10}, {50, 50, 30, 9, 9, 30}},
} do
    Z.fill(0, 0, 0, 0, 0, 0, 0, 255)
    call((r[1]:gsub("C", "255, 64, 0, 255")))
    for i = 1, 3, 2 do
        local p = px(r[2][i], r[2][i + 1])
        local red, green, blue = math.floor(p / 65536), math.floor(p / 256) % 256, p % 256
        assert(red > blue and red >= 2 * green, r[1] .. " at " .. r[2][i] .. ": " .. p)
    end
    for i = 1, 5, 2 do assert(px(r[3][i], r[3][i + 1]) == 0, r[1] .. " at " .. r[3][i]) end
end
-- The exact colour, blended by alpha; no primitive for other codes (whole
-- 32-bit values); triangles onto a surface, not the display.
Z.fill(0, 0, 0, 0, 0, 0, 0, 255) Z.draw(10, 10, 20, 20, 256, -1, 300.7, 255, 1, 2)
Z.draw(60, 60, 9, 0, 1, 2, 3, 255, 2, 0) Z.draw(100, 80, 25, 0, 255, 0, 0, 128, 2, 2)
assert(px(15, 15) == 0x00FF2C and px(69, 60) == 0x010203, px(69, 60))
assert(math.abs(px(100, 80) / 65536 - 128) < 8)
Z.fill(0, 0, 0, 0, 0, 0, 0, 255)
for _, k in ipairs{{1, 1}, {0, 2}, {3, 0}, {-1, 0}, {2, 3}, {0, -1}, {65537, 2}} do
    Z.draw(10, 10, 50, 40, 255, 255, 255, 255, k[1], k[2])
end
for _, s in ipairs{3, -1, 256} do Z.drawTri(10, 10, 60, 10, 10, 60, 255, 255, 255, 255, s) end
S = Z.makeSurf(7, 5) Z.fill(0, 0, 0, 0, 0, 0, 0, 255, S)
Z.drawTri(0, 0, 6, 0, 0, 4, 255, 255, 255, 255, 2, S)
assert(only(0, 0, 0, 0, 0, 0) and px(1, 1, S) == 0xFFFFFF)
-- Image files: 32 by 16 on a background, one red pixel at 5, 3.
for _, f in ipairs{{"a.png", "'#102030'", "PNG32:", 0xFF102030},
                   {"clear.png", "none", "PNG32:", 0}} do
    local path = TMP .. "/" .. f[1]
    os.execute("convert -size 32x16 xc:" .. f[2] .. " -fill red -draw 'point 5,3' " .. f[3] .. path)
    local s, w, h = Z.loadImage(path)
    assert(w == 32 and h == 16 and pa(5, 3, s) == 0xFFFF0000, f[1])
    assert(pa(6, 3, s) == f[4] and pa(31, 15, s) == f[4], f[1])
end
