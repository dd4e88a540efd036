-- What every case of this directory starts with (its first line dofiles
-- this file), and each in-process test too (tests/unit/harness.h, which
-- gives its own pa, mixer and TMP): the module as Z, zedodava.extra as X, a
-- scratch directory TMP, the fonts, and helpers that read through zd_probe
-- (tests/e2e/probe.c), never through the module: pa(x, y [, s]) a pixel of
-- surface s (the display by default) as 0xAARRGGBB, then its size; px the
-- same without alpha; only(x0, y0, x1, y1, in, out [, s]) whether s is `in`
-- inside the rectangle and `out` elsewhere (or the first pixel that is
-- not); cell(x, y) a console cell as "c RRGGBB RRGGBB" (character,
-- foreground, background); mixer() channels playing, music playing, music
-- paused, music volume; call(code) runs "Z." .. code.
X = require "zedodava.extra"
Z = zedodava or require "zedodava"
if not pa then
    P = require "zd_probe"
    pa, cell, mixer, TMP = P.pa, P.cell, P.mixer, os.getenv("ZD_TMP") or "/tmp"
end
SANS = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
MONO = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf"
function px(x, y, s) return pa(x, y, s) % 16777216 end
function only(x0, y0, x1, y1, inside, outside, s)
    local _, w, h = pa(0, 0, s)
    for i = 0, w * h - 1 do
        local x, y, p = i % w, math.floor(i / w), px(i % w, math.floor(i / w), s)
        if p ~= (x >= x0 and x < x1 and y >= y0 and y < y1 and inside or outside) then
            return false, string.format("pixel %d,%d is %06X", x, y, p)
        end
    end
    return true
end
function call(code) -- an expression, or statements
    return assert((loadstring or load)("return Z." .. code) or (loadstring or load)("Z." .. code), code)()
end
