-- zedodava.extra with forged, freed and wrong-kind handles, and no display:
-- no values, nothing drawn or saved; what a load brings back of what
-- saveImage wrote.
dofile((arg[0]:match("^(.*/)") or "./") .. "prelude.lua")
function EVERY(h, font)
    assert(select("#", X.textSize(font or h, "x")) + select("#", X.getpix(0, 0, h)) + select("#", X.transform(h, 10)) +
           select("#", X.soundVolume(h, 9)) == 0 and not X.saveImage(h, TMP .. "/no.png") and not io.open(TMP .. "/no.png"))
    X.setTitle(h) X.stopSounds() X.stopMusic() X.fadeMusic(10) X.fontStyle(h, 1) X.blitPart(h, 0, 0, 1, 1, 0, 0)
    X.blitScaled(h, 0, 0, 3, 3) X.blitAlpha(h, 0, 0, 99) X.blitPart(S, 0, 0, 1, 1, 0, 0, h) X.blitScaled(S, 0, 0, 3, 3, h)
end
EVERY() assert(X.drivers() == nil and select("#", X.drivers()) == 2)
Z.init(8, 8) F = Z.loadFont(SANS, 10) S = Z.makeSurf(2, 2)
assert(X.drivers() == "dummy" and select(2, X.drivers()) == "disk")
Z.fill(0, 0, 0, 0, 9, 9, 9, 255) Z.fill(0, 0, 0, 0, 255, 0, 0, 255, S)
EVERY(F, S) assert(only(0, 0, 0, 0, 0, 0x090909)) Z.freeSurf(S) EVERY(S) Z.freeFont(F) EVERY(F) EVERY(io.stdout)
Z.quit() EVERY() assert(X.drivers() == nil and select(2, X.saveImage(S, "x")) == "not a live surface")
Z.init(7, 5) S = Z.makeSurf(3, 4)
for i = 0, 69 do local j = i % 35 Z.putpix(j % 7, math.floor(j / 7), j * 7, 255 - j, j * 3, j * 5 + 50, i > 34 and S or nil) end
assert(table.concat({X.getpix(2, 1)}, ",") == "63,246,27,255" and table.concat({X.getpix(2, 1, S)}, ",") == "63,246,27,95")
for _, xy in ipairs{{-1, 0}, {0, -1}, {7, 0}, {0, 5}, {3, 0, S}, {0, 4, S}, {65536, 0}} do
    assert(select("#", X.getpix(xy[1], xy[2], xy[3])) == 0, xy[1])
end
for i = 0, 46 do -- the screen's 35 pixels, then the surface's 12, through a file
    local t, w = i < 35 and "" or S, i < 35 and 7 or 3
    if i == 0 or i == 35 then assert(X.saveImage(t ~= "" and t or nil, TMP .. "/s.png")) BACK = Z.loadImage(TMP .. "/s.png") end
    local k = i < 35 and i or i - 35
    assert(table.concat({X.getpix(k % w, math.floor(k / w), BACK)}, ",") == table.concat({X.getpix(k % w, math.floor(k / w), t)}, ","), i)
end
for _, r in ipairs{{Z.makeSurf(0, 3), "x", "an image of 0x3 pixels cannot be written"}, {S, nil, "no file name"},
                   {S, "/no/s.png", "cannot write '/no/s.png': No such file or directory"}, {S, "/", "cannot write '/': Is a directory"}} do
    assert(select(2, X.saveImage(r[1], r[2])) == r[3], r[3])
end
