-- The script ends without quit, while the mixer's thread runs.
local x = require "zedodava.extra"
local z = require "zedodava"
z.init(32, 32) z.flip()
