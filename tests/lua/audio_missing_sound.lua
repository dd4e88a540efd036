-- status: 1
-- A sound file that cannot be read ends the process with its path.
local z = require "zedodava"
z.init(32, 32)
z.loadSound("no/such/boom 100%.wav")
print("not reached")
