-- status: 1
-- A path that names no file: the load line with the path, nothing returned.
local z = require "zedodava"
z.init(64, 48)
local s = z.loadImage("/nonexistent/zedodava/sprite.png")
print("not reached", s)
