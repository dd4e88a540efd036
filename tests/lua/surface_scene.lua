-- Handles and drawing under each interpreter: an image made by ImageMagick,
-- a blank surface, fills, pixels, shapes and blits onto both targets.
local z = require "zedodava"
local png = os.getenv("ZD_TMP") .. "/sprite.png"
local rc = os.execute("convert -size 12x7 xc:'#336699' PNG32:" .. png)
assert(rc == 0 or rc == true, "convert failed")

z.init(64, 48)
local img, w, h = z.loadImage(png)
assert(type(img) == "userdata" and w == 12 and h == 7)
local s, sw, sh = z.makeSurf(20.9, 10.1)
assert(type(s) == "userdata" and s ~= img and sw == 20 and sh == 10)

z.fill(0, 0, 0, 0, 0, 0, 0, 255, s)
z.fill(2, 2, 5, 5, 255, 0, 0, 255, s)
z.putpix(19, 9, 0, 255, 0, 255, s)
z.putpix(-1, 100000, 0, 255, 0, 255, s)
for kind = -1, 3 do
    for style = -1, 3 do
        z.draw(1, 1, 8, 8, 255, 255, 255, 128, kind, style, s)
        z.draw(30, 20, 10, 0, 255, 255, 255, 128, kind, style)
    end
end
for style = -1, 3 do
    z.drawTri(0, 0, 19, 0, 0, 9, 0, 0, 255, 200, style, s)
    z.drawTri(40, 5, 60, 30, 35, 40, 0, 0, 255, 200, style)
end
z.blit(img, 3, 3, s)
z.blit(s, -5, -5)
z.blit(img, 60, 44, nil)
z.blit(nil, 0, 0)
z.flip()
z.freeSurf(img)
z.freeSurf(s)
z.quit()
