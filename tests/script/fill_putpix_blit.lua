-- fill, putpix and blit place their pixels. Each row clears the 200 by 150
-- display and the 5 by 7 surface S, makes its call (C: opaque white) and
-- names the only white rectangle of its target (S when the call ends with
-- it, or S follows); the other surface stays black.
dofile((arg[0]:match("^(.*/)") or "./") .. "prelude.lua")
Z.init(200, 150) S = Z.makeSurf(5, 7)
W = Z.makeSurf(6, 6) Z.fill(0, 0, 0, 0, 255, 255, 255, 255, W)
B = Z.makeSurf(300, 300) Z.fill(0, 0, 0, 0, 255, 255, 255, 255, B)
for _, r in ipairs{
    {"fill(3.9, 4.9, 10.9, 2.5, C)", 3, 4, 13, 6}, {"fill(-3.9, -2.5, 5, 5, C)", 0, 0, 2, 3},
    {"fill(5, 5, -1, 3, C)", 5, 5, 200, 8}, {"fill(3, 3, 2, 65537, C)", 3, 3, 5, 4},
    {"fill(65536 + 4, 2, 1, 1, C)", 4, 2, 5, 3}, {"fill(10, 10, 0, 5, C)", 0, 0, 200, 150},
    {"fill(10, 10, 5, 0, C, S)", 0, 0, 5, 7}, {"fill(1, 1, 2, 1, C, S)", 1, 1, 3, 2},
    {"fill(3, 5, 9, 9, C, S)", 3, 5, 5, 7}, {"fill(-3, -2, 5, 4, C, S)", 0, 0, 2, 2},
    {"fill(0, 0, 0, 0, C, nil)", 0, 0, 200, 150}, {"putpix(2.9, 3.9, C, S)", 2, 3, 3, 4},
    {"putpix(65536 + 4, -65536 + 6, C, S)", 4, 6, 5, 7}, {"putpix(0/0, 2, C, S)", 0, 2, 1, 3},
    {"putpix(199, 149, C)", 199, 149, 200, 150},
    {"putpix(-1, 0, C, S) Z.putpix(0, -1, C, S) Z.putpix(5, 0, C, S) Z.putpix(0, 7, C, S)" ..
     "Z.putpix(5, 7, C, S) Z.putpix(65535, 65535, C, S) Z.putpix(1e10, 1, C, S)", 0, 0, 0, 0, S},
    {"blit(W, 3.9, 4.9)", 3, 4, 9, 10}, {"blit(W, -3.9, -4.9)", 0, 0, 3, 2},
    {"blit(W, 196, 147, nil)", 196, 147, 200, 150}, {"blit(W, 65536 + 10, 5)", 10, 5, 16, 11},
    {"blit(B, 0, 0)", 0, 0, 200, 150}, {"blit(W, 2, 1, S)", 2, 1, 5, 7},
    {"blit(W, -3, -4, S)", 0, 0, 3, 2}, {"fill(-1, -1, 99, 99, C, S)", 0, 0, 5, 7},
    {"blit(nil, 1, 1) Z.blit()", 0, 0, 0, 0}, {"draw(1, 1, 3, 2, C, 1, 2, S)", 1, 1, 4, 3},
} do
    Z.fill(0, 0, 0, 0, 0, 0, 0, 255) Z.fill(0, 0, 0, 0, 0, 0, 0, 255, S)
    call((r[1]:gsub("C", "255, 255, 255, 255")))
    local target, other = nil, S
    if r[6] or r[1]:find("S%)$") then target, other = S, nil end
    local ok, why = only(r[2], r[3], r[4], r[5], 0xFFFFFF, 0, target)
    assert(ok and only(0, 0, 0, 0, 0, 0, other), r[1] .. ": " .. tostring(why))
end
-- Channels keep their low 8 bits; alpha is stored; a half-transparent
-- sprite over black comes out at about half strength.
Z.fill(0, 0, 0, 0, 256, -1, 300.7, 255) Z.putpix(1, 1, -255.5, 511, 44, 0)
Z.fill(0, 0, 0, 0, 10, 20, 30, 128, S) Z.fill(2, 2, 1, 1, 1, 2, 3, 4, S)
Z.putpix(4, 5, 9, 8, 7, 200, S)
assert(px(9, 9) == 0x00FF2C and px(1, 1) == 0x01FF2C)
assert(pa(0, 0, S) == 0x800A141E and pa(2, 2, S) == 0x04010203 and pa(4, 5, S) == 0xC8090807)
Z.fill(0, 0, 0, 0, 0, 0, 0, 255) Z.fill(0, 0, 0, 0, 255, 64, 0, 128, S) Z.blit(S, 0, 0)
assert(math.abs(px(0, 0) - 0x802000) <= 0x080800, px(0, 0))
-- Sizes truncate; an empty surface takes everything and shows nothing.
local m, w, h = Z.makeSurf(100.7, 50.2)
E = Z.makeSurf(0, 0) Z.fill(0, 0, 0, 0, 1, 2, 3, 4, E) Z.putpix(0, 0, 1, 2, 3, 4, E)
Z.draw(0, 0, 5, 5, 1, 1, 1, 255, 1, 2, E) Z.blit(E, 0, 0) Z.freeSurf(E)
assert(w == 100 and h == 50 and select(2, pa(0, 0, m)) == 100)
assert(P.locked(S) == 0 and select(2, P.locked(S)) == 1) -- not locked, alpha
