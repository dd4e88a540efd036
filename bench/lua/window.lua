-- A full-window clear and flip at three window sizes, the same calls and
-- names as the plain-C side (c/window.c).
local z = require "zedodava"
local bench = require "bench"

local fill, flip = z.fill, z.flip
local function clear_flip(n)
    for i = 1, n do
        fill(0, 0, 0, 0, 20, 30, i % 256, 255)
        flip()
    end
end

local x11 = os.getenv("SDL_VIDEODRIVER") == "x11" and "x11_" or ""
for _, size in ipairs{{640, 480}, {1280, 720}, {1920, 1080}} do
    local w, h = size[1], size[2]
    z.init(w, h)
    bench.report(("clear_flip_%s%dx%d"):format(x11, w, h), math.floor(4000000 / math.floor(w * h / 100)), clear_flip)
    z.quit()
end
