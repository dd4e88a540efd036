-- status: 1
-- A readable file that holds no image.
local z = require "zedodava"
z.init(64, 48)
z.loadImage("/dev/null")
print("not reached")
