-- status: 1
-- Sizes beyond what a surface can hold.
local z = require "zedodava"
z.init(64, 48)
z.makeSurf(1e6, 1e6)
print("not reached")
