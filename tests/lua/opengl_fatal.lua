-- status: 1
-- Both zeros are true; the dummy driver has no OpenGL, so the mode fails.
local z = require "zedodava"
z.init(640, 480, 0, 0)
print("not reached")
