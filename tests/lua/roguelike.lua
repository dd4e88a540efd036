-- examples/roguelike.lua for 90 frames.
local game = (arg[0]:match("^(.*/)") or "./") .. "../../examples/roguelike.lua"
arg = {"--frames", "90"}
dofile(game)
