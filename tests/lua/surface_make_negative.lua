-- status: 1
-- A negative size cannot be made; a valid surface before it is untouched.
local z = require "zedodava"
z.init(64, 48)
local s, w, h = z.makeSurf(3, 2)
io.write(w, " ", h, "\n")
z.makeSurf(10, -1)
print("not reached")
