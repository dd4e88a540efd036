-- status: 1
-- A music file that cannot be read ends the process with its path.
local z = require "zedodava"
z.init(32, 32)
z.loadMusic("no/such/theme.ogg")
print("not reached")
