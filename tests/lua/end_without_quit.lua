-- A script may end, or fail, without calling quit while the mixer's audio
-- thread runs: the interpreter's shutdown must not crash.
local z = require "zedodava"
z.init(32, 32)
z.flip()
