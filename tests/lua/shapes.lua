-- examples/shapes.lua for 60 frames.
local x = require "zedodava.extra"
local z = require "zedodava"
local game = (arg[0]:match("^(.*/)") or "./") .. "../../examples/shapes.lua"
arg = {"--frames", "60"}
dofile(game)
