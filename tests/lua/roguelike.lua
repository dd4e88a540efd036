-- examples/roguelike.lua for 90 frames.
local x = require "zedodava.extra"
local z = require "zedodava"
local game = (arg[0]:match("^(.*/)") or "./") .. "../../examples/roguelike.lua"
arg = {"--frames", "90"}
dofile(game)
