-- The script raises an error without quit.
local x = require "zedodava.extra"
local z = require "zedodava"
z.init(32, 32) error("game over")
