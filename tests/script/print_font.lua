-- printFont: keep mode returns the text in its colour as a surface, draw
-- mode puts the same pixels at the truncated position. (The surface's size
-- against the font library's own measure: tests/unit/test_text.cpp.)
dofile((arg[0]:match("^(.*/)") or "./") .. "prelude.lua")
Z.init(160, 80) F = Z.loadFont(SANS, 16) T = Z.makeSurf(120, 40)
for _, text in ipairs{"Score: 12345", "Gr\195\188\195\159e \226\130\172"} do
    TEXT = text
    Z.fill(0, 0, 0, 0, 0, 0, 0, 255)
    for _, keep in ipairs{true, 0, "no"} do -- anything but nil and false keeps
        local k, w, h, lit = Z.printFont(F, TEXT, 0, 200, 100, 5, 5, nil, keep)
        for y = 0, h - 1 do for x = 0, w - 1 do lit = lit or px(x, y, k) == 0x00C864 end end
        assert(lit and pa(0, 0, k) < 0x80000000 and only(0, 0, 0, 0, 0, 0), keep)
    end
    -- Draw mode: r, g, b, x, y (target, keep) as the script passes them.
    for _, r in ipairs{{"255, 128, 0, 10.9, 20.9", "255, 128, 0", 10, 20},
                       {"256, -1, 511, -3.9, -4.9, nil, false", "0, 255, 255", -3, -4},
                       {"'200', 100.7, 50, 65536 + 150, 70, nil, nil", "200, 100, 50", 150, 70},
                       {"1, 2, 3, 4, 2, T, false", "1, 2, 3", 4, 2, T}} do
        Z.fill(0, 0, 0, 0, 16, 32, 48, 255) Z.fill(0, 0, 0, 0, 0, 0, 0, 255, T)
        assert(select("#", call("printFont(F, TEXT, " .. r[1] .. ")")) == 0)
        local got, kept = {}, call("printFont(F, TEXT, " .. r[2] .. ", 0, 0, nil, true)")
        local _, w, h = pa(0, 0, r[5])
        for i = 0, w * h - 1 do got[i] = pa(i % w, math.floor(i / w), r[5]) end
        Z.fill(0, 0, 0, 0, 16, 32, 48, 255) Z.fill(0, 0, 0, 0, 0, 0, 0, 255, T)
        Z.blit(kept, r[3], r[4], r[5])
        for i = 0, w * h - 1 do assert(got[i] == pa(i % w, math.floor(i / w), r[5]), r[1]) end
        local other, colour = T, 0 -- untouched
        if r[5] then other, colour = nil, 0x102030 end
        assert(only(0, 0, 0, 0, colour, colour, other), r[1])
    end
    -- Nothing to render, or nowhere to draw it: no results, no pixels.
    for _, args in ipairs{"F, ''", "F, nil", "F, {}", "F, '\\0hidden'", "T, 'x'", "nil, 'x'"} do
        for _, tail in ipairs{")", ", nil, false)", ", nil, true)"} do
            local code = "printFont(" .. args .. ", 255, 255, 255, 0, 0" .. tail
            assert(select("#", call(code)) == 0, code)
        end
    end
    assert(only(0, 0, 0, 0, 0x102030, 0x102030))
end
