-- What the text functions hand back, the same under both interpreters.
local z = require "zedodava"
z.init(64, 32)
local dir = "/usr/share/fonts/truetype/dejavu/"
local sans, a0 = z.loadFont(dir .. "DejaVuSans.ttf", 12)
local mono, a1 = z.loadFont(dir .. "DejaVuSansMono.ttf", 12.9)
print(type(sans), a0, type(mono), a1)
local function count(...) return select("#", ...) end
print(count(z.printFont(sans, "draw", 255, 255, 255, 1, 1)),
      count(z.printFont(sans, "draw", 255, 255, 255, 1, 1, nil, false)),
      count(z.printFont(sans, "", 255, 255, 255, 1, 1, nil, true)),
      count(z.printFont(nil, "x", 255, 255, 255, 1, 1, nil, true)))
-- Fixed width: every character advances by the same amount.
local s1, w1, h1 = z.printFont(mono, "abc", 255, 255, 255, 0, 0, nil, 0)
local s2, w2, h2 = z.printFont(mono, "abcabc", 255, 255, 255, 0, 0, nil, true)
print(type(s1), w1 == 3 * a1, w2 == 6 * a1, h1 == h2, h1 > 0)
z.freeSurf(s1)
z.freeSurf(s2)
print(count(z.freeFont(sans)), count(z.freeFont(mono)))
z.quit()
