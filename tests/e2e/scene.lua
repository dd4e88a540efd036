-- Draws known pictures into a real window, one step at a time, so that
-- run_e2e.sh can compare what the X server shows with what the module holds.
--
-- usage: scene.lua MODE DIR [IMAGE]
--   MODE  graphics | console | fullscreen | opengl
--   DIR   for each step K: DIR/stepK.ppm holds gScreen's pixels (for OpenGL
--         a line "solid RRGGBB WxH": the whole window in one colour), then
--         DIR/readyK the window's X id; the step ends when DIR/ackK appears
--   IMAGE a PNG with an alpha channel to blit (graphics and fullscreen)
--
-- Every step is drawn, flipped, and then left alone on screen while the
-- runner takes its screenshot.
local z = require "zedodava"
local probe = require "zd_probe"
local mode, dir, image = arg[1], arg[2], arg[3]
local FONTS = "/usr/share/fonts/truetype/dejavu/"

local function exists(path)
    local f = io.open(path)
    if f then f:close() end
    return f ~= nil
end

local function write(path, text)
    local f = assert(io.open(path, "w"))
    f:write(text)
    f:close()
end

-- Announces step k and keeps the window alive, unchanged, until the runner
-- has looked at it.
local function hold(k, solid)
    if solid then
        write(dir .. "/step" .. k .. ".ppm", "solid " .. solid .. "\n")
    else
        probe.shot(z.flip, dir .. "/step" .. k .. ".ppm")
    end
    write(dir .. "/ready" .. k, string.format("%d\n", (probe.window())))
    for _ = 1, 500 do
        if exists(dir .. "/ack" .. k) then return end
        z.input()
        z.timer(50)
    end
    print("timed out at step " .. k)
    os.exit(3)
end

-- Checks a pixel the scene put there on purpose, so that an empty picture on
-- both sides cannot pass for a match.
local function expect(x, y, r, g, b)
    local pr, pg, pb = probe.pixel(z.flip, x, y)
    if pr ~= r or pg ~= g or pb ~= b then
        print(string.format("pixel %d,%d is %d,%d,%d, expected %d,%d,%d", x, y, pr, pg, pb, r, g, b))
        os.exit(4)
    end
end

-- Fills, pixels, every shape, a loaded image, a sprite built here and text.
local function graphics(w, h)
    z.fill(0, 0, 0, 0, 24, 28, 40, 255)
    -- Pure primaries: a swapped channel order shows at once.
    z.fill(8, 8, 20, 20, 255, 0, 0, 255)
    z.fill(32, 8, 20, 20, 0, 255, 0, 255)
    z.fill(56, 8, 20, 20, 0, 0, 255, 255)
    z.fill(80, 8, 20, 20, 255, 255, 255, 255)
    for i = 0, 63 do
        z.putpix(8 + i, 34, i * 4, 255 - i * 4, 128, 255)
        z.putpix(8 + i, 35 + i % 3, 200, 200, 40, 255)
    end
    -- Lines, rectangles, circles and triangles in every style.
    z.draw(110, 8, 200, 40, 255, 200, 0, 255, 0, 0)
    z.draw(110, 40, 200, 8, 0, 200, 255, 255, 0, 1)
    z.draw(210, 8, 250, 40, 255, 255, 255, 255, 1, 0)
    z.draw(215, 13, 245, 35, 255, 0, 128, 128, 1, 2)
    z.draw(40, 80, 24, 0, 255, 128, 0, 255, 2, 0)
    z.draw(100, 80, 24, 0, 128, 255, 0, 255, 2, 1)
    z.draw(160, 80, 24, 0, 0, 128, 255, 160, 2, 2)
    z.drawTri(200, 110, 230, 56, 260, 110, 255, 255, 0, 255, 0)
    z.drawTri(240, 110, 270, 56, 300, 110, 0, 255, 255, 255, 1)
    z.drawTri(280, 110, 310, 56, 340, 110, 255, 0, 255, 200, 2)
    -- An image from a file, blitted with its alpha, and clipped at the edge.
    local img, iw = z.loadImage(image)
    z.blit(img, 10, 120)
    z.blit(img, w - iw / 2, 120)
    z.freeSurf(img)
    -- A sprite made pixel by pixel: a soft-edged disc.
    local s = z.makeSurf(24, 24)
    z.fill(0, 0, 0, 0, 0, 0, 0, 0, s)
    for y = 0, 23 do
        for x = 0, 23 do
            local d = math.sqrt((x - 11.5) ^ 2 + (y - 11.5) ^ 2)
            if d < 12 then z.putpix(x, y, 255, 255 - d * 16, 60, 255 - d * 20, s) end
        end
    end
    z.blit(s, 90, 130)
    z.blit(s, 100, 140)
    -- Text drawn straight to the screen and kept in a surface, then blitted.
    local sans = z.loadFont(FONTS .. "DejaVuSans.ttf", 18)
    local mono = z.loadFont(FONTS .. "DejaVuSansMono.ttf", 14)
    z.printFont(sans, "Hello, window! \195\169\195\160\195\188", 255, 255, 255, 10, h - 60)
    local kept = z.printFont(mono, "kept: 0123456789", 120, 255, 160, 0, 0, nil, true)
    z.blit(kept, 10, h - 30)
    z.blit(kept, w - 60, h - 30)
    z.freeSurf(kept)
    z.freeFont(sans)
    z.freeFont(mono)
    expect(10, 10, 255, 0, 0)
    expect(34, 10, 0, 255, 0)
    expect(58, 10, 0, 0, 255)
    expect(90, 20, 255, 255, 255)
end

if mode == "graphics" or mode == "fullscreen" then
    local w, h = 400, 300
    if mode == "fullscreen" then w, h = 320, 240 end
    z.init(w, h, mode == "fullscreen")
    graphics(w, h)
    z.flip()
    hold(1)
    -- A second frame: flip must replace the whole picture.
    z.fill(0, 0, 0, 0, 90, 20, 20, 255)
    z.draw(w / 2, h / 2, 60, 0, 240, 240, 200, 255, 2, 2)
    z.fill(0, 0, w, 10, 0, 0, 0, 255)
    z.flip()
    hold(2)
elseif mode == "console" then
    z.curses_init(40, 12, FONTS .. "DejaVuSansMono.ttf", 15)
    -- A frame of walls, a floor, a few coloured words and every printable character.
    z.curses_fill(0, 0, 40, 12, "#", 120, 120, 200, 20, 20, 60)
    z.curses_fill(1, 1, 38, 10, ".", 90, 90, 90, 0, 0, 0)
    local text = "zedodava console"
    for i = 1, #text do
        z.curses_addch(text:sub(i, i), 2 + i, 2)
        z.curses_setcol(2 + i, 2, 255, 220, 0, 60, 0, 0)
    end
    for c = 33, 126 do
        local k = c - 33
        z.curses_fill(1 + k % 38, 4 + math.floor(k / 38), 1, 1, string.char(c),
                      c * 2 % 256, 255 - c, c, 0, 0, 40)
    end
    z.curses_fill(20, 8, 1, 1, "@", 255, 255, 0, 160, 0, 0)
    z.curses_refresh()
    z.flip()
    hold(1)
    -- The player steps right; only the cells that changed differ.
    z.curses_fill(20, 8, 1, 1, ".", 90, 90, 90, 0, 0, 0)
    z.curses_fill(21, 8, 1, 1, "@", 255, 255, 0, 160, 0, 0)
    z.curses_refresh()
    z.flip()
    hold(2)
elseif mode == "opengl" then
    z.init(320, 240, false, true)
    probe.gl_clear(1, 0, 0)
    z.flip()
    hold(1, "ff0000 320x240")
    -- Drawn into the back buffer only: the window must not change, however
    -- long it is given.
    probe.gl_clear(0, 0, 1)
    for _ = 1, 3 do z.timer(10) end
    hold(2, "ff0000 320x240")
    z.flip()
    hold(3, "0000ff 320x240")
    -- A run of frames, paced, each one swapped.
    for i = 1, 30 do
        probe.gl_clear(0, i % 2, 0)
        z.flip()
        z.timer(100)
    end
    print("30 frames")
else
    error("unknown mode " .. tostring(mode))
end
z.quit()
