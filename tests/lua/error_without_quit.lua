-- status: 1
-- A Lua error in the middle of a game ends the interpreter with status 1, no crash.
local z = require "zedodava"
z.init(32, 32)
error("game over")
