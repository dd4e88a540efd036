-- The script raises an error without quit.
local z = require "zedodava"
z.init(32, 32) error("game over")
