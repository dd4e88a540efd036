-- A whole frame of a typical game: drain input, blit 200 alpha sprites,
-- draw 50 shapes (ten each of filled boxes, lines, anti-aliased lines,
-- filled circles and filled triangles), one line of text, flip, and the
-- unpaced timer; the same positions as the plain-C side (c/frame.c).
-- Reported per frame. Then how the frame grows: with 2,000 and 20,000
-- sprites; and, on a real X server (SDL_VIDEODRIVER=x11), the frame alone at
-- 640x480 and 1280x720, where flip sends the picture to the server.
local z = require "zedodava"
local bench = require "bench"

local NPOS = 1024
local TEXT = "Score: 0123456789 ok"
local font, xs, ys, sprite, nsprites = nil, nil, nil, nil, 200
local function open(w, h)
    z.init(w, h)
    font = z.loadFont("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 16)
    xs, ys = bench.positions(NPOS, w - 32, h - 32)
    sprite = z.makeSurf(32, 32)
    z.fill(0, 0, 0, 0, 255, 0, 0, 128, sprite)
end
local function close()
    z.freeSurf(sprite)
    z.freeFont(font)
    z.quit()
end

local input, blit, draw, drawTri = z.input, z.blit, z.draw, z.drawTri
local printFont, flip, timer = z.printFont, z.flip, z.timer

-- k walks the positions as the C side's next() does: 2, 3, ... NPOS, 1, 2...
local k = 1
local function frame(n)
    for _ = 1, n do
        while input() ~= 0 do end
        for _ = 1, nsprites do
            k = k % NPOS + 1
            blit(sprite, xs[k], ys[k])
        end
        for _ = 1, 10 do
            k = k % NPOS + 1
            local x, y = xs[k], ys[k]
            draw(x, y, x + 31, y + 31, 40, 60, 90, 255, 1, 2)
            k = k % NPOS + 1
            x, y = xs[k], ys[k]
            draw(x, y, x + 31, y + 20, 200, 100, 50, 255, 0, 0)
            k = k % NPOS + 1
            x, y = xs[k], ys[k]
            draw(x, y, x + 31, y + 20, 200, 100, 50, 255, 0, 1)
            k = k % NPOS + 1
            x, y = xs[k], ys[k]
            draw(x + 16, y + 16, 16, 0, 255, 255, 0, 255, 2, 2)
            k = k % NPOS + 1
            x, y = xs[k], ys[k]
            drawTri(x, y, x + 31, y + 8, x + 10, y + 31, 0, 200, 100, 255, 2)
        end
        printFont(font, TEXT, 255, 200, 100, 10, 10)
        flip()
        timer()
    end
end

if os.getenv("SDL_VIDEODRIVER") == "x11" then
    for _, size in ipairs{{640, 480}, {1280, 720}} do
        open(size[1], size[2])
        bench.report(("frame_x11_%dx%d"):format(size[1], size[2]), 300, frame)
        close()
    end
    return
end
open(640, 480)
bench.report("frame_typical", 500, frame)
nsprites = 2000
bench.report("frame_sprites_2000", 100, frame)
nsprites = 20000
bench.report("frame_sprites_20000", 10, frame)
close()
