-- The script ends without quit, while the mixer's thread runs.
local z = require "zedodava"
z.init(32, 32) z.flip()
