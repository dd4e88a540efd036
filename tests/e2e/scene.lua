-- Two frames for run_e2e.sh, held after each flip by shot_hook.lua while the
-- screen is compared with gScreen. usage: scene.lua IMAGE (a PNG with alpha)
local z = require "zedodava"
z.init(400, 300)
-- Primaries, pixels, every shape in every style, an image blitted with its
-- alpha (and clipped at the edge), text drawn and kept.
z.fill(0, 0, 0, 0, 24, 28, 40, 255)
for i = 0, 2 do z.fill(8 + 24 * i, 8, 20, 20, i == 0 and 255 or 0, i == 1 and 255 or 0, i * 127, 255) end
for i = 0, 63 do z.putpix(8 + i, 34 + i % 3, i * 4, 255 - i * 4, 128, 255) end
for k = 0, 8 do
    local x, kind, style = 20 + 40 * k, math.floor(k / 3), k % 3
    z.draw(x, 60, kind == 2 and 15 or x + 30, 90, 255 - kind * 100, 60 * style, 200, 255 - 50 * style, kind, style)
    z.drawTri(x, 150, x + 15, 100, x + 30, 150, 255, 255, 50 * style, 200, style)
end
local img, iw = z.loadImage(arg[1])
z.blit(img, 10, 160)
z.blit(img, 400 - iw / 2, 160)
local sans = z.loadFont("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 18)
z.printFont(sans, "Hello, window! \195\169\195\160\195\188", 255, 255, 255, 10, 240)
z.blit(z.printFont(sans, "kept: 0123456789", 120, 255, 160, 0, 0, nil, true), 340, 270)
z.flip()
-- A second frame: flip must replace the whole picture.
z.fill(0, 0, 0, 0, 90, 20, 20, 255)
z.draw(200, 150, 60, 0, 240, 240, 200, 255, 2, 2)
z.fill(0, 0, 400, 10, 0, 0, 0, 255)
z.flip()
z.quit() -- OpenGL mode: what native code reads is the mode flag SDL_OPENGL, 2
z.init(64, 48, false, true) print("gl_on " .. require("zd_probe").shot(z.quit, "/dev/null")) z.quit()
