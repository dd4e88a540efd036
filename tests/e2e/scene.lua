-- Draws two known frames into a real window for run_e2e.sh, which runs it
-- under shot_hook.lua: after each flip the hook holds the window still while
-- the screen is compared with gScreen.
--
-- usage: scene.lua scene|opengl [IMAGE]
-- IMAGE is a PNG with an alpha channel to blit.
local z = require "zedodava"
local mode, image = arg[1], arg[2]
local FONTS = "/usr/share/fonts/truetype/dejavu/"

if mode == "scene" then
    local w, h = 400, 300
    z.init(w, h)
    -- Primaries, a gradient of pixels, every shape in every style, an image
    -- with its alpha (clipped at the edge), a sprite, text drawn and kept.
    z.fill(0, 0, 0, 0, 24, 28, 40, 255)
    for i = 0, 2 do
        z.fill(8 + 24 * i, 8, 20, 20, i == 0 and 255 or 0, i == 1 and 255 or 0, i * 127, 255)
    end
    for i = 0, 63 do z.putpix(8 + i, 34 + i % 3, i * 4, 255 - i * 4, 128, 255) end
    for k = 0, 8 do
        local x, kind = 20 + 40 * k, math.floor(k / 3)
        z.draw(x, 60, kind == 2 and 15 or x + 30, 90, 255 - kind * 100, 60 * (k % 3), 200,
               255 - 50 * (k % 3), kind, k % 3)
    end
    for s = 0, 2 do
        z.drawTri(200 + 40 * s, 150, 230 + 40 * s, 100, 260 + 40 * s, 150, 255, 255, 50 * s, 200, s)
    end
    local img, iw = z.loadImage(image)
    z.blit(img, 10, 120)
    z.blit(img, w - iw / 2, 120)
    local s = z.makeSurf(24, 24)
    z.fill(0, 0, 0, 0, 0, 0, 0, 0, s)
    z.fill(4, 4, 16, 16, 255, 200, 60, 160, s)
    z.blit(s, 90, 130)
    local sans = z.loadFont(FONTS .. "DejaVuSans.ttf", 18)
    z.printFont(sans, "Hello, window! \195\169\195\160\195\188", 255, 255, 255, 10, h - 60)
    z.blit(z.printFont(sans, "kept: 0123456789", 120, 255, 160, 0, 0, nil, true), w - 60, h - 30)
    z.flip()
    -- A second frame: flip must replace the whole picture.
    z.fill(0, 0, 0, 0, 90, 20, 20, 255)
    z.draw(w / 2, h / 2, 60, 0, 240, 240, 200, 255, 2, 2)
    z.fill(0, 0, w, 10, 0, 0, 0, 255)
    z.flip()
elseif mode == "opengl" then
    local probe = require "zd_probe"
    z.init(320, 240, false, true)
    probe.gl_clear(1, 0, 0)
    z.flip()
    probe.gl_clear(0, 0, 1)
    z.flip()
end
z.quit()
