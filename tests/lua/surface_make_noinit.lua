-- status: 1
-- No display yet, so nothing to convert to: drawing does nothing, making a
-- surface is a load failure.
local z = require "zedodava"
z.fill(0, 0, 0, 0, 255, 255, 255, 255)
z.putpix(1, 1, 255, 255, 255, 255)
z.draw(0, 0, 10, 10, 255, 255, 255, 255, 1, 2)
z.drawTri(0, 0, 10, 0, 0, 10, 255, 255, 255, 255, 2)
z.blit(nil, 0, 0)
z.makeSurf(8, 8)
print("not reached")
