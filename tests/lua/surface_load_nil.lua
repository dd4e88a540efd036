-- status: 1
-- No path at all is reported as a load line too.
local z = require "zedodava"
z.init(64, 48)
z.loadImage(nil)
print("not reached")
