-- status: 1
-- A font file that cannot be read ends the process with its path.
local z = require "zedodava"
z.init(32, 32)
z.loadFont("no/such/font.ttf", 12)
print("not reached")
